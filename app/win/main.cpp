// quillmere.exe: the dialog program. It loads the reference data, converts
// one save game per press of Convert and ends with exit code 0, also when the
// reference data cannot be loaded.
#include <windows.h>

#include <commctrl.h>

#include "app/win/converter_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  {
    ConverterDialog dialog(instance);
    dialog.Run();
  }
  return 0;
}
