#include <windows.h>

#include <string>

#include "controls/editors/cxLookAndFeelPainters.h"
#include "framework/Exception.h"
#include "framework/Forms.h"
#include "ui/Texts.h"
#include "ui/Uname.h"

namespace {
// The editors library's painters with their shared images and the hidden window that hears of
// system colour changes, from start-up until the application object goes.
struct PaintersInUse {
  PaintersInUse() { cxLookAndFeelPaintersInitialize(); }
  ~PaintersInUse() { cxLookAndFeelPaintersFinalize(); }
  PaintersInUse(const PaintersInUse&) = delete;
  PaintersInUse& operator=(const PaintersInUse&) = delete;
};
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    TApplication application;
    PaintersInUse painters;
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
