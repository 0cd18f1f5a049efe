#include "ui/accessible_name-win32.h"

#include <initguid.h>  // the annotation's identifiers defined here, once
#include <objbase.h>
#include <oleacc.h>

namespace brantel {

// The annotation is kept with the window; the service is needed only to set it.
bool SetAccessibleName(HWND control, const wchar_t* name) {
  const bool com_started = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  IAccPropServices* services = nullptr;
  bool named = false;
  if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                 reinterpret_cast<void**>(&services)))) {
    named = SUCCEEDED(services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                               PROPID_ACC_NAME, name));
    services->Release();
  }
  if (com_started) CoUninitialize();
  return named;
}

}  // namespace brantel
