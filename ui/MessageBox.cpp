#include "ui/MessageBox.h"

#include <cstring>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Exception.h"
#include "framework/Handles.h"
#include "framework/StdCtrls.h"
#include "ui/MessageGeometry.h"

namespace {

// Movable global memory for the clipboard, freed unless the clipboard took it over.
class ClipboardMemory {
 public:
  ClipboardMemory(const void* bytes, std::size_t size)
      : memory_(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size)) {
    if (!memory_) throw Exception("Out of memory for the clipboard");
    void* data = GlobalLock(memory_);
    if (!data) {
      GlobalFree(memory_);
      throw Exception("Out of memory for the clipboard");
    }
    memcpy(data, bytes, size);
    GlobalUnlock(memory_);
  }
  ~ClipboardMemory() {
    if (memory_) GlobalFree(memory_);
  }
  ClipboardMemory(const ClipboardMemory&) = delete;
  ClipboardMemory& operator=(const ClipboardMemory&) = delete;

  // Hands the memory to the clipboard in a format; on failure it stays ours and is freed.
  void Store(UINT format) {
    if (!SetClipboardData(format, memory_)) throw Exception("Cannot store the text on the clipboard");
    memory_ = nullptr;
  }

 private:
  HGLOBAL memory_;
};

// The text in UTF-16, read in the program's code page.
std::wstring WideText(const std::string& text) {
  const int size = static_cast<int>(text.size());
  std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

// The clipboard, opened for a window and always closed again.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) {
    if (!OpenClipboard(owner)) throw Exception("Cannot open clipboard");
  }
  ~OpenedClipboard() { CloseClipboard(); }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
};

// Gives the font the operating system's message font; leaves it alone when that cannot be read.
void ApplyMessageFont(TFont& font) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return;
  const LOGFONTA& lf = metrics.lfMessageFont;
  TFontStyles style = 0;
  if (lf.lfWeight >= FW_BOLD) style |= fsBold;
  if (lf.lfItalic) style |= fsItalic;
  if (lf.lfUnderline) style |= fsUnderline;
  if (lf.lfStrikeOut) style |= fsStrikeOut;
  font.SetName(lf.lfFaceName);
  font.SetHeight(lf.lfHeight);
  // The message is drawn in the program's code page whatever the system's (see the main window's fonts).
  font.SetCharset(GB2312_CHARSET);
  font.SetStyle(style);
}

// Measures with DrawTextA in a font on a screen context; r holds the limits and gets the extent.
void MeasureDrawnText(const TFont& font, const std::string& text, TRect& r, UINT format) {
  gdi::WindowDC screen(nullptr);
  TCanvas canvas;
  canvas.SetHandle(screen.Get());
  canvas.Font().Assign(font);
  canvas.DrawText(text, r, format | DT_CALCRECT);
  canvas.SetHandle(nullptr);
}

// The OK caption's width, measured with the font of the first box and kept for the process.
int OkCaptionWidth(const TFont& font, const std::string& caption) {
  static int width = -1;
  if (width < 0) {
    TRect r;
    MeasureDrawnText(font, caption, r, DT_LEFT | DT_SINGLELINE);
    width = r.Width();
  }
  return width;
}

}  // namespace

TMessageForm::TMessageForm(TComponent* owner) : TForm(owner) {}

std::string TMessageForm::SummaryText() {
  std::string message;
  std::vector<std::string> buttons;
  for (int i = 0; i < ComponentCount(); ++i) {
    TComponent* c = Component(i);
    if (auto* button = dynamic_cast<TButton*>(c)) buttons.push_back(button->Caption());
    else if (auto* label = dynamic_cast<TLabel*>(c); label && label->Name() == "Message") message = label->Caption();
  }
  return MessageSummary(Caption(), message, buttons);
}

void TMessageForm::KeyDown(WORD& key, TShiftState shift) {
  if (shift == ssCtrl && key == 'C') {
    MessageBeep(0);
    CopyToClipboard(SummaryText());
  }
  TForm::KeyDown(key, shift);
}

// The text goes on the clipboard as it is, in UTF-16 and with the language it is in, so that a
// program reading it in any code page gets the same characters.
void TMessageForm::CopyToClipboard(const std::string& text) {
  const std::wstring wide = WideText(text);
  const LCID language = MAKELCID(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), SORT_DEFAULT);
  OpenedClipboard clipboard(Handle());
  ClipboardMemory bytes(text.c_str(), text.size() + 1);
  ClipboardMemory characters(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  ClipboardMemory locale(&language, sizeof language);
  EmptyClipboard();
  bytes.Store(CF_TEXT);
  characters.Store(CF_UNICODETEXT);
  locale.Store(CF_LOCALE);
}

std::unique_ptr<TMessageForm> CreateMessageForm(const std::string& text) {
  // Owned by the application as every form is; the caller's freeing takes it off the list.
  auto form = std::make_unique<TMessageForm>(Application);
  ApplyMessageFont(form->Font());
  form->SetBorderStyle(bsDialog);
  form->SetKeyPreview(true);

  const TFont& font = form->Font();
  const TDialogUnits units = DialogUnits(MeasureText(font, kDialogUnitLetters));
  const TSize screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  TRect textRect{0, 0, MessageWrapWidth(screen.cx), 0};
  MeasureDrawnText(font, text, textRect, DT_EXPANDTABS | DT_WORDBREAK);
  const std::string okCaption = "OK";
  const TMessageLayout layout =
      LayoutMessageBox(units, OkCaptionWidth(font, okCaption), TSize{textRect.Width(), textRect.Height()});

  // Before the window exists the client rectangle comes from the frame of the border style.
  const TRect client = form->ClientRect();
  const TSize frame{form->Width() - client.Width(), form->Height() - client.Height()};
  const TRect window = CenteredWindowRect(screen, layout.ClientWidth, layout.ClientHeight, frame);
  form->SetBounds(window.Left, window.Top, window.Width(), window.Height());
  form->SetPosition(poScreenCenter);
  form->SetCaption(Application ? Application->Title() : std::string());

  auto* message = new TLabel(form.get());
  message->SetName("Message");
  message->SetParent(form.get());
  message->SetWordWrap(true);
  message->SetCaption(text);
  const TRect& m = layout.MessageRect;
  message->SetBounds(m.Left, m.Top, m.Width(), m.Height());

  auto* ok = new TButton(form.get());
  ok->SetName("OK");
  ok->SetParent(form.get());
  ok->SetCaption(okCaption);
  ok->SetModalResult(mrOk);
  ok->SetDefault(true);
  ok->SetCancel(true);
  const TRect& b = layout.ButtonRect;
  ok->SetBounds(b.Left, b.Top, b.Width(), b.Height());
  form->SetActiveControl(ok);
  return form;
}

void ShowMessage(const std::string& text) { CreateMessageForm(text)->ShowModal(); }
