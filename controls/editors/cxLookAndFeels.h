#pragma once
#include <cstdint>
#include <functional>

// The look of the editors' frames: a kind picks the default border style.
enum TcxLookAndFeelKind : std::uint8_t { lfFlat, lfStandard, lfUltraFlat };

// Look-and-feel settings of one control. OnChanged tells the owner, which repaints.
class TcxLookAndFeel {
 public:
  TcxLookAndFeelKind Kind() const { return kind_; }
  void SetKind(TcxLookAndFeelKind kind) {
    if (kind_ == kind) return;
    kind_ = kind;
    if (OnChanged) OnChanged();
  }

  std::function<void()> OnChanged;

 private:
  TcxLookAndFeelKind kind_ = lfUltraFlat;
};
