// The program's texts and layout assume code page 936 and a 13-pixel 宋体 at 96 DPI. A Wine
// prefix set up without them shows a wrongly scaled window instead of failing, so these checks
// run first and say what is wrong with the set-up.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

// 宋体 (SimSun) in code page 936.
constexpr char kSongTi[] = "\xCB\xCE\xCC\xE5";

class ScreenDc {
 public:
  ScreenDc() : dc_(CreateCompatibleDC(nullptr)) {}
  ~ScreenDc() { DeleteDC(dc_); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

TEST(Environment, AnsiCodePageIsSimplifiedChinese) {
  EXPECT_EQ(GetACP(), 936u)
      << "The ANSI code page must be 936: run under LANG=zh_CN.UTF-8 with the zh_CN.UTF-8 "
         "locale generated (scripts/setup.sh does both; see `locale -a`).";
}

TEST(Environment, ScreenIs96Dpi) {
  ScreenDc dc;
  EXPECT_EQ(GetDeviceCaps(dc.get(), LOGPIXELSY), 96)
      << "The layout is drawn for 96 DPI; the Wine prefix's LogPixels setting differs.";
}

TEST(Environment, SongTiAtMinus13Measures13Pixels) {
  ScreenDc dc;
  HFONT font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, kSongTi);
  ASSERT_NE(font, nullptr);
  HGDIOBJ old = SelectObject(dc.get(), font);
  SIZE size{};
  const BOOL measured = GetTextExtentPoint32A(dc.get(), "0", 1, &size);
  char face[LF_FACESIZE] = {};
  GetTextFaceA(dc.get(), sizeof face, face);
  SelectObject(dc.get(), old);
  DeleteObject(font);

  ASSERT_TRUE(measured);
  EXPECT_EQ(size.cy, 13)
      << "SimSun at height -13 measures " << size.cy << " pixels high (face chosen: \"" << face
      << "\"); the layout needs 13. The Wine prefix needs the font replacements "
         "HKCU\\Software\\Wine\\Fonts\\Replacements: SimSun and its Chinese name -> "
         "\"AR PL SungtiL GB\" (package fonts-arphic-gbsn00lp), as scripts/setup.sh makes them; "
         "if the face is right, the code page is probably not 936.";
}

}  // namespace
