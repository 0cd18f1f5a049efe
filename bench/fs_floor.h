/* The floor a Convert is measured against (see fs_floor.c). */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

/* Milliseconds for the bare work on the INI files of `folder`, using the new
 * folder `work`; each intermediate file is `growth` times its INI file. */
double FloorMilliseconds(const char* folder, const char* work, double growth);

#ifdef __cplusplus
}
#endif
