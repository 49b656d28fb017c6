// Texts of real windows and controls: the cache, the caret, list selection
// by prefix, rich edit streams, list lines, icons and pictures.
#include <string>
#include "controls/window_texts.h"
#include "controls_program.h"

namespace {

class WindowTextsTest : public ControlsProgramTest {
 public:
  static std::string Shown(int32_t id) {
    char text[4096] = {};
    GetWindowTextA(Windows[id].Handle, text, sizeof text);
    return text;
  }
  // The text as the user would change it: the control notifies its window.
  static void UserSets(int32_t id, const char* text) { SetWindowTextA(Windows[id].Handle, text); }
  static std::string Line(int32_t id, UINT getText, WPARAM i) {
    char text[256] = {};
    SendMessageA(Windows[id].Handle, getText, i, (LPARAM)text);
    return text;
  }
  // Selects item id and sets its text to the text constant t.
  void SetText(int32_t id, const std::string& t) {
    RunBody("    window_id\n      num " + std::to_string(id) + "\n    window_text\n      text_const \"" + t + "\"\n");
  }
  void ReadText(int32_t id) { RunBody("    window_id\n      num " + std::to_string(id) + "\n    @t1\n      window_text\n"); }
};

TEST_F(WindowTextsTest, CachedTextOfAnEdit) {
  RunBody(R"(
    @n1
      edit_new
    window_text
      text_const "abc"
    @t1
      window_text
)");
  EXPECT_EQ("abc", T(1));
  EXPECT_EQ("abc", Shown(1));
  EXPECT_EQ(1, Windows[1].TextValid) << "setting the text caused no stale mark";
  // Behind the cache's back: the same text again is not sent.
  IgnoreNotifications = 1;
  SetWindowTextA(Windows[1].Handle, "zzz");
  IgnoreNotifications = 0;
  SetText(1, "abc");
  EXPECT_EQ("zzz", Shown(1));
  UserSets(1, "typed");
  EXPECT_EQ(0, Windows[1].TextValid);
  ReadText(1);
  EXPECT_EQ("typed", T(1));
}

TEST_F(WindowTextsTest, CaretStaysWhereItWas) {
  struct {
    int32_t Element;
    UINT GetSel, SetSel;
  } kinds[] = {{El::edit_new, EM_GETSEL, EM_SETSEL},
                {El::memo_new, EM_GETSEL, EM_SETSEL},
                {El::combo_edit_new, CB_GETEDITSEL, CB_SETEDITSEL}};
  for (auto& k : kinds) {
    RunBody("    @n1\n      " + std::string(ElementNameOfId(k.Element)) + "\n    window_text\n      text_const \"0123456789ab\"\n");
    int32_t id = (int32_t)N(1);
    HWND h = Windows[id].Handle;
    auto setCaret = [&](int p) {
      if (k.SetSel == EM_SETSEL)
        SendMessageA(h, EM_SETSEL, p, p);
      else
        SendMessageA(h, CB_SETEDITSEL, 0, MAKELPARAM(p, p));
    };
    auto caret = [&]() {
      DWORD start = 99, end = 99;
      SendMessageA(h, k.GetSel, (WPARAM)&start, (LPARAM)&end);
      return std::to_string(start) + "," + std::to_string(end);
    };
    setCaret(10);
    SetText(id, "xyz");
    EXPECT_EQ("3,3", caret()) << ElementNameOfId(k.Element) << ": at most the new length";
    setCaret(1);
    SetText(id, "longer text");
    EXPECT_EQ("1,1", caret()) << ElementNameOfId(k.Element);
    EXPECT_EQ("longer text", Shown(id)) << ElementNameOfId(k.Element);
  }
}

TEST_F(WindowTextsTest, ListsSelectByPrefix) {
  RunBody(R"(
    @n1
      list_box_new
    window_list_add
      text_const "apple"
    window_list_add
      text_const "banana"
    window_list_add
      text_const "cherry"
    window_text
      text_const "ban"
    @t1
      window_text
    @n2
      combo_list_new
    window_list_add
      text_const "red"
    window_list_add
      text_const "green"
    window_text
      text_const "gr"
)");
  HWND list = Windows[1].Handle;
  EXPECT_EQ(1, SendMessageA(list, LB_GETCURSEL, 0, 0));
  EXPECT_EQ(3, SendMessageA(list, LB_GETCOUNT, 0, 0)) << "the lines do not change";
  EXPECT_EQ("banana", Line(1, LB_GETTEXT, 1));
  EXPECT_EQ("apple", Line(1, LB_GETTEXT, 0)) << "in the order added";
  EXPECT_EQ("ban", T(1)) << "the cached text until the user changes the selection";
  EXPECT_EQ(1, SendMessageA(Windows[2].Handle, CB_GETCURSEL, 0, 0));
  // The user picks cherry: the list notifies the window.
  SendMessageA(list, LB_SETCURSEL, 2, 0);
  SendMessageA(MainWindow, WM_COMMAND, MAKEWPARAM(1, LBN_SELCHANGE), (LPARAM)list);
  ReadText(1);
  EXPECT_EQ("cherry", T(1));
  ReadText(2);
  EXPECT_EQ("gr", T(1));
  Windows[2].TextValid = 0;
  ReadText(2);
  EXPECT_EQ("green", T(1)) << "a combo list reads its selected line";
}

TEST_F(WindowTextsTest, ListClear) {
  RunBody(R"(
    @n1
      list_box_new
    window_list_add
      text_const "one"
    window_text
      text_const "one"
    window_list_clear
    @t1
      window_text
    @n2
      combo_edit_new
    window_list_add
      text_const "two"
    window_list_clear
    @n3
      edit_new
    window_text
      text_const "kept"
    window_list_clear
    window_list_add
      text_const "ignored"
    @t2
      window_text
)");
  EXPECT_EQ(0, SendMessageA(Windows[1].Handle, LB_GETCOUNT, 0, 0));
  EXPECT_EQ("", T(1)) << "no line is selected any more";
  EXPECT_EQ(0, SendMessageA(Windows[2].Handle, CB_GETCOUNT, 0, 0));
  EXPECT_EQ("kept", T(2));
  EXPECT_EQ(1, Windows[3].TextValid) << "an edit is no list";
}

TEST_F(WindowTextsTest, RichEditStreams) {
  RunBody(R"(
    @n1
      rich_edit_new
)");
  ASSERT_NE(nullptr, Windows[1].Handle) << "no rich edit library";
  const char* rtf = "{\\\\rtf1\\\\ansi Bold words\\\\par}";
  SetText(1, rtf);
  EXPECT_EQ(1, Windows[1].TextValid);
  EXPECT_EQ("Bold words", Shown(1).substr(0, 10));
  ReadText(1);
  EXPECT_EQ("{\\rtf1\\ansi Bold words\\par}", T(1)) << "the cached text";

  SetText(1, "plain words");
  EXPECT_EQ(0, Windows[1].TextValid) << "plain text reads back as RTF";
  EXPECT_EQ("plain words", Shown(1));
  ReadText(1);
  EXPECT_EQ("{\\rtf", T(1).substr(0, 5));
  EXPECT_NE(std::string::npos, T(1).find("plain words"));
  EXPECT_EQ(1, Windows[1].TextValid);
}

// The marker test ignores case, the control does not: a text it refuses as
// RTF goes in as plain text, and the cache is not trusted.
TEST_F(WindowTextsTest, RichEditRefusedRtfGoesInAsPlainText) {
  RunBody(R"(
    @n1
      rich_edit_new
)");
  ASSERT_NE(nullptr, Windows[1].Handle) << "no rich edit library";
  SetText(1, "{\\\\RTF1 shouted}");
  EXPECT_EQ("{\\RTF1 shouted}", Shown(1));
  EXPECT_EQ(0, Windows[1].TextValid);
  ReadText(1);
  EXPECT_EQ("{\\rtf", T(1).substr(0, 5));
}

TEST_F(WindowTextsTest, StreamOutOfALongTextKeepsEveryByte) {
  RunBody(R"(
    @n1
      memo_new
)");
  std::string big;
  for (int i = 0; big.size() < 300000; i++) big += "line " + std::to_string(i) + "\r\n";
  UserSets(1, big.c_str());
  ReadText(1);
  EXPECT_EQ(big, T(1));
  RunBody("    @n1\n      rich_edit_new\n");
  int32_t id = (int32_t)N(1);
  UserSets(id, big.c_str());
  ReadText(id);
  std::string rtf = T(1);
  EXPECT_EQ("{\\rtf", rtf.substr(0, 5));
  EXPECT_NE(std::string::npos, rtf.find("line 20000")) << rtf.size();
  EXPECT_EQ('}', rtf[rtf.find_last_not_of("\r\n\0", std::string::npos, 3)]) << "streamed to its end";
}

TEST_F(WindowTextsTest, MainWindowCaptionAtOnce) {
  RunBody(R"(
    window_id
      num 0
    window_text
      text_const "shown first"
    window_text
      text_const "First line\r\nsecond"
    @t1
      window_text
)");
  EXPECT_EQ(1, MainWindowShown);
  char caption[128] = {};
  GetWindowTextA(MainWindow, caption, sizeof caption);
  EXPECT_STREQ("First line", caption);
  EXPECT_EQ("First line", T(1));
}

TEST_F(WindowTextsTest, OtherKindsAndNoLiveItem) {
  RunBody(R"(
    @n1
      button_new
    window_text
      text_const "Press"
    @n2
      picture_box_new
    window_text
      text_const "only cached"
    @t1
      window_text
    window_id
      num -1
    window_text
      text_const "lost"
    @t2
      window_text
)");
  EXPECT_EQ("Press", Shown(1));
  EXPECT_EQ("only cached", T(1));
  EXPECT_EQ("", Shown(2)) << "a picture box shows no text";
  EXPECT_EQ("", T(2));
}

int ImageSets;
WNDPROC ButtonProc;
LRESULT CALLBACK CountImageSets(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == BM_SETIMAGE) ImageSets++;
  return CallWindowProcA(ButtonProc, w, m, wp, lp);
}

TEST_F(WindowTextsTest, IconsAndPictures) {
  RunBody(R"(
    @n1
      icon_button_new
    window_icon
      @ic
    @n2
      icon_box_new
    window_icon
      @ic
    @n3
      window_new
    window_icon
      @ic
)");
  HICON icon = IconGlobal().GetWindowIcon();
  ASSERT_NE(nullptr, icon);
  EXPECT_EQ((LRESULT)icon, SendMessageA(Windows[1].Handle, BM_GETIMAGE, IMAGE_ICON, 0));
  EXPECT_NE(0, SendMessageA(Windows[2].Handle, STM_GETIMAGE, IMAGE_ICON, 0));
  int32_t window = (int32_t)N(3);
  EXPECT_EQ((LRESULT)icon, SendMessageA(Windows[window].Handle, WM_GETICON, ICON_BIG, 0));
  EXPECT_EQ(IconGlobal().Data, Windows[1].Icon.Data) << "shared";
  // The same icon again sends nothing.
  ImageSets = 0;
  ButtonProc = (WNDPROC)SetWindowLongPtrA(Windows[1].Handle, GWLP_WNDPROC, (LONG_PTR)CountImageSets);
  RunBody(R"(
    window_id
      num 1
    window_icon
      @ic
    window_icon
      @ic
)");
  SetWindowLongPtrA(Windows[1].Handle, GWLP_WNDPROC, (LONG_PTR)ButtonProc);
  EXPECT_EQ(1, ImageSets) << "the new program's icon once, not again";
}

// A new picture drops the padded copy made for the old one.
TEST_F(WindowTextsTest, PictureOfAPictureBox) {
  RunBody(R"(
    @n1
      picture_box_new
)");
  Windows[1].PaddedPixels = (uint8_t*)MemAlloc(64);
  RunBody(R"(
    window_id
      num 1
    window_picture
      @pc
    @pc
      window_picture
)");
  EXPECT_EQ(nullptr, Windows[1].PaddedPixels);
  EXPECT_EQ(PictureGlobal().Data, Windows[1].Picture.Data) << "shared";
  EXPECT_EQ(40, Windows[1].Picture.Width());
}

}  // namespace
