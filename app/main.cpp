#include <windows.h>

#include <string>

#include "framework/Exception.h"
#include "framework/Forms.h"
#include "ui/Texts.h"
#include "ui/Uname.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    TApplication application;
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
