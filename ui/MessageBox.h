#pragma once
#include <memory>
#include <string>

#include "framework/Forms.h"

// The box of the show-message operation: a dialog built in code, sized to its text, with one
// OK button. Ctrl+C copies a plain-text summary of it to the clipboard.
class TMessageForm : public TForm {
 public:
  explicit TMessageForm(TComponent* owner);
  const char* ClassName() const override { return "TMessageForm"; }

  // Caption, message and button captions as the copy key puts them on the clipboard.
  std::string SummaryText();

 protected:
  // Ctrl+C copies the summary; the form sees every key first (KeyPreview).
  void KeyDown(WORD& key, TShiftState shift) override;

 private:
  void CopyToClipboard(const std::string& text);
};

// Builds the box for a text, laid out and centred on the screen but not yet shown. The application
// object is its owner; the caller frees it once done with it, before the application goes.
std::unique_ptr<TMessageForm> CreateMessageForm(const std::string& text);

// Shows the text in a modal box and returns once it is closed.
void ShowMessage(const std::string& text);
