/* The floor a Convert is measured against (see fs_floor.c). */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

/* Milliseconds for the bare work on the INI files of `folder` and the
 * master list: the new file is `growth` times the INI files' bytes. */
double FloorMilliseconds(const char* folder, const char* master_list, double growth);

#ifdef __cplusplus
}
#endif
