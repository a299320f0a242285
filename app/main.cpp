#include <windows.h>

#include <string>

#include "controls/lookandfeel/cxLookAndFeelPainters.h"
#include "controls/lookandfeel/dxThemeManager.h"
#include "framework/Exception.h"
#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/SystemLibrary.h"
#include "ui/Texts.h"
#include "ui/Uname.h"

namespace {
// The editors library's services from start-up until just before the application object goes:
// the visual-styles service with its theme-change receiver, and the painters with their shared
// images and the hidden window that hears of system colour changes.
struct EditorsInUse {
  EditorsInUse() {
    dxThemeManagerInitialize();
    cxLookAndFeelPaintersInitialize();
  }
  ~EditorsInUse() {
    cxLookAndFeelPaintersFinalize();
    dxThemeManagerFinalize();
  }
  EditorsInUse(const EditorsInUse&) = delete;
  EditorsInUse& operator=(const EditorsInUse&) = delete;
};
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before anything loads a library: the system's libraries come from the system folder only, so
  // files beside the program or in the current folder never run inside it.
  LoadLibrariesFromSystemFolderOnly();
  try {
    TApplication application;
    EditorsInUse editors;
    Application->Initialize();
    Application->SetTitle(std::string(kMakerAddress) + texts::kTitleSuffix);
    Application->CreateForm(Form1);
    Application->Run();
  } catch (const std::exception& e) {
    // Start-up failed before the message loop could report it.
    MessageBoxA(nullptr, ErrorBoxText(e.what()).c_str(), nullptr, MB_ICONERROR | MB_OK);
    return 1;
  }
  return 0;
}
