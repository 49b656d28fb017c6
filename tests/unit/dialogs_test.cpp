// The message box, the file dialogs and the text input dialog, with the
// modal calls answered by fakes: what the engine asks of the system and what
// the program gets back. The input dialog runs on the real resource 245.
#include <string>
#include <vector>
#include "controls/dialog_seam.h"
#include "controls/dialogs.h"
#include "controls_program.h"
#include "base/language.h"

namespace {

struct Seen {
  int Calls = 0;
  HWND Owner = nullptr;
  std::string Caption, Text;
  UINT Flags = 0;
  bool Save = false;
  OPENFILENAMEA Ofn = {};
  std::string Dir, File, DefExt, Title;
  bool HasDefExt = false, HasTitle = false;
  std::vector<std::string> Filters;
  BOOL Answer = TRUE;
  std::string Chosen;
  // The input dialog: the texts the dialog showed, what the user does.
  std::string DialogTitle, Lines[3], Edit, CancelButton;
  std::string Typed;
  int Press = IDOK;
  bool Centred = false;
};
Seen Got;

int WINAPI FakeMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT flags) {
  Got.Calls++;
  Got.Owner = owner;
  Got.Text = text;
  Got.Caption = caption;
  Got.Flags = flags;
  return IDYES;
}

BOOL FileDialog(LPOPENFILENAMEA o, bool save) {
  Got.Calls++;
  Got.Save = save;
  Got.Ofn = *o;
  Got.Dir = o->lpstrInitialDir ? o->lpstrInitialDir : "(none)";
  Got.File = o->lpstrFile;
  Got.HasDefExt = o->lpstrDefExt != nullptr;
  Got.DefExt = Got.HasDefExt ? o->lpstrDefExt : "";
  Got.HasTitle = o->lpstrTitle != nullptr;
  Got.Title = Got.HasTitle ? o->lpstrTitle : "";
  Got.Filters.clear();
  for (const char* p = o->lpstrFilter; *p; p += strlen(p) + 1) Got.Filters.push_back(p);
  if (Got.Answer) strcpy(o->lpstrFile, Got.Chosen.c_str());
  return Got.Answer;
}
BOOL WINAPI FakeOpen(LPOPENFILENAMEA o) { return FileDialog(o, false); }
BOOL WINAPI FakeSave(LPOPENFILENAMEA o) { return FileDialog(o, true); }

std::string ItemText(HWND dialog, int id) {
  char text[256] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

// The real dialog, made modeless from the same resource and procedure: it
// reads what the dialog shows, plays the user's part and closes it.
INT_PTR WINAPI FakeDialogBox(HINSTANCE instance, LPCSTR resource, HWND owner, DLGPROC proc, LPARAM param) {
  Got.Calls++;
  Got.Owner = owner;
  HWND d = CreateDialogParamA(instance, resource, owner, proc, param);
  if (!d) return -1;
  char title[256] = {};
  GetWindowTextA(d, title, sizeof title);
  Got.DialogTitle = title;
  for (int k = 0; k < 3; k++) Got.Lines[k] = ItemText(d, InputDialogLineIds[k]);
  Got.Edit = ItemText(d, InputDialogEditId);
  Got.CancelButton = ItemText(d, IDCANCEL);
  RECT dr, orr;
  GetWindowRect(d, &dr);
  GetWindowRect(owner, &orr);
  Got.Centred = (dr.left + dr.right) / 2 - (orr.left + orr.right) / 2 <= 1 &&
                (dr.left + dr.right) / 2 - (orr.left + orr.right) / 2 >= -1 &&
                (dr.top + dr.bottom) / 2 - (orr.top + orr.bottom) / 2 <= 1 &&
                (dr.top + dr.bottom) / 2 - (orr.top + orr.bottom) / 2 >= -1;
  if (!Got.Typed.empty()) SetDlgItemTextA(d, InputDialogEditId, Got.Typed.c_str());
  SendMessageA(d, WM_COMMAND, MAKEWPARAM(Got.Press, BN_CLICKED), (LPARAM)GetDlgItem(d, Got.Press));
  DestroyWindow(d);
  return Got.Press;
}

class DialogsTest : public ControlsProgramTest {
 public:
  void SetUp() override {
    ControlsProgramTest::SetUp();
    Got = Seen();
    DialogSys = {FakeMessageBox, FakeDialogBox, FakeOpen, FakeSave};
  }
  void TearDown() override {
    DialogSys = RealDialogSys;
    ControlsProgramTest::TearDown();
  }
  // A file dialog element with its four named parameters.
  void RunFileDialog(int32_t element, const char* title, const char* names, const char* patterns, const char* name) {
    RunBody(std::string("    @t1\n      ") + ElementNameOfId(element) + "\n        dialog_caption\n          text_const \"" +
            title + "\"\n        file_dialog_names\n          text_const \"" + names + "\"\n        file_dialog_patterns\n          text_const \"" +
            patterns + "\"\n        file_dialog_file\n          text_const \"" + name + "\"\n");
  }
};

TEST(MessageBoxFlagsTest, CodesAreClamped) {
  const struct {
    int32_t Icon, Buttons, Default;
    UINT Flags;
  } cases[] = {
      {0, 2, 5, MB_ABORTRETRYIGNORE | MB_DEFBUTTON3},
      {0, 4, 3, MB_YESNO | MB_DEFBUTTON2},
      {0, 9, 2, MB_OK | MB_DEFBUTTON1},
      {-1, 0, 1, MB_OK},
      {5, 1, 1, MB_OKCANCEL},
      {1, 3, 3, MB_ICONHAND | MB_YESNOCANCEL | MB_DEFBUTTON3},
      {4, 5, -7, MB_ICONASTERISK | MB_RETRYCANCEL | MB_DEFBUTTON1},
      {2, 1, INT32_MIN, MB_ICONQUESTION | MB_OKCANCEL},
      {3, -2, 3, MB_ICONEXCLAMATION},
  };
  for (auto& c : cases)
    EXPECT_EQ(c.Flags, MessageBoxFlags(c.Icon, c.Buttons, c.Default)) << c.Icon << " " << c.Buttons << " " << c.Default;
}

// A question box with Yes and No, the second the default, its answer in n1.
const char* const QuestionBox = R"(
    @n1
      message_box
        dialog_caption
          text_const "Question\r\nnot shown"
        message_box_text
          text_const "Line 1\r\nLine 2"
        message_box_icon
          num 2
        message_box_buttons
          num 4
        message_box_default
          num 2
)";

TEST_F(DialogsTest, MessageBoxReturnsThePressedButton) {
  RunBody(std::string(QuestionBox) + "    message_box\n");
  EXPECT_EQ(2, Got.Calls) << "the command form shows the box too";
  EXPECT_EQ(IDYES, N(1));
  EXPECT_EQ(MainWindow, Got.Owner);
  EXPECT_EQ(1, MainWindowShown) << "the display was refreshed first";
  EXPECT_EQ("", Got.Caption) << "the second box has the defaults";
  EXPECT_EQ((UINT)MB_OK, Got.Flags);
  RunBody(QuestionBox);
  EXPECT_EQ("Question", Got.Caption);
  EXPECT_EQ("Line 1\r\nLine 2", Got.Text);
  EXPECT_EQ((UINT)(MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON2), Got.Flags);
}

TEST_F(DialogsTest, MessageBoxOwnedByTheCurrentWindow) {
  RunBody(R"(
    @n1
      window_new
    @n2
      message_box
)");
  EXPECT_EQ(Windows[(int32_t)N(1)].Handle, Got.Owner);
}

struct FileCase {
  const char* Name;
  const char* Names;
  const char* Patterns;
  const char* Initial;
  const char* Dir;  // "." for the current directory
  const char* File;
  const char* DefExt;  // null: none
  DWORD FilterIndex;
  std::vector<std::string> Filters;
};

TEST_F(DialogsTest, FileDialogRecord) {
  char current[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, current);
  std::string all = std::string(LanguageTable[CurrentLanguageIndex].AllFilesText) + " (*.*)";
  const FileCase cases[] = {
      {"two filters", "Texts\\r\\nAll", "*.txt\\r\\n*.*", "X:\\\\data\\\\notes.txt", "X:\\data", "notes", "txt", 1,
       {"Texts", "*.txt", "All", "*.*"}},
      {"the last filter with the extension wins", "Texts\\r\\nMore", "*.txt\\r\\n *.doc; *.txt ;",
       "X:\\\\data\\\\notes.txt", "X:\\data", "notes", "txt", 2, {"Texts", "*.txt", "More", "*.doc;*.txt"}},
      {"no extension anywhere", "", "*.*", "report", ".", "report", nullptr, 0, {all, "*.*"}},
      {"a drive root", "", "", "X:\\\\report", "X:\\", "report", nullptr, 0, {all, "*.*"}},
      {"the first pattern gives the extension", "Pictures", "*.bmp;*.ico", "X:\\\\pics\\\\", "X:\\pics", "", "bmp", 1,
       {"Pictures", "*.bmp;*.ico"}},
      {"a name's extension no filter has", "Pictures", "*.bmp", "new.xyz", ".", "new", "bmp", 1,
       {"Pictures", "*.bmp"}},
      {"several dots", "Archives", "*.gz", "C:\\\\a\\\\b\\\\archive.tar.gz", "C:\\a\\b", "archive.tar", "gz", 1,
       {"Archives", "*.gz"}},
      {"invalid characters and blanks", "", "", "  C:\\\\x\\\\\\\"bad*na|me?.txt\\t ", "C:\\x", "badname", nullptr,
       0, {all, "*.*"}},
      {"the root of the current drive", "", "", "\\\\top.txt", "\\", "top", nullptr, 0, {all, "*.*"}},
      {"a drive without a backslash", "", "", "C:file.txt", "C:", "file", nullptr, 0, {all, "*.*"}},
      {"more names than patterns", "A\\r\\nB", "*.a", "", ".", "", "a", 1, {"A", "*.a", "B", "*.*"}},
  };
  for (const FileCase& c : cases) {
    Got.Chosen = "C:\\chosen.txt";
    RunFileDialog(El::open_dialog, "", c.Names, c.Patterns, c.Initial);
    EXPECT_EQ(c.Dir[0] == '.' ? std::string(current) : std::string(c.Dir), Got.Dir) << c.Name;
    EXPECT_EQ(c.File, Got.File) << c.Name;
    EXPECT_EQ(c.DefExt != nullptr, Got.HasDefExt) << c.Name;
    if (c.DefExt) {
      EXPECT_EQ(c.DefExt, Got.DefExt) << c.Name;
    }
    EXPECT_EQ(c.FilterIndex, Got.Ofn.nFilterIndex) << c.Name;
    EXPECT_EQ(c.Filters, Got.Filters) << c.Name;
    EXPECT_EQ(76u, Got.Ofn.lStructSize) << c.Name;
    EXPECT_EQ(0x00A8480Eu, Got.Ofn.Flags) << c.Name;
    EXPECT_EQ(1024u, Got.Ofn.nMaxFile) << c.Name;
    EXPECT_FALSE(Got.HasTitle) << c.Name;
    EXPECT_FALSE(Got.Save) << c.Name;
    EXPECT_EQ("C:\\chosen.txt", T(1)) << c.Name;
  }
}

TEST_F(DialogsTest, SaveDialogTitleAndCancel) {
  Got.Answer = FALSE;
  RunBody(R"(
    @t1
      text_const "stale"
    @t1
      save_dialog
        dialog_caption
          text_const "Save as"
)");
  EXPECT_TRUE(Got.Save);
  EXPECT_TRUE(Got.HasTitle);
  EXPECT_EQ("Save as", Got.Title);
  EXPECT_EQ("", T(1)) << "cancelled";
  EXPECT_EQ(MainWindow, Got.Ofn.hwndOwner);
}

// A long initial name gets a buffer that holds it.
TEST_F(DialogsTest, FileBufferHoldsALongName) {
  std::string name(1500, 'n');
  Got.Chosen = "C:\\short";
  RunFileDialog(El::save_dialog, "", "", "", name.c_str());
  EXPECT_EQ(1501u, Got.Ofn.nMaxFile);
  EXPECT_EQ(name, Got.File);
  EXPECT_EQ(Got.Chosen, T(1));
}

TEST_F(DialogsTest, InputDialogOnTheRealResource) {
  Got.Typed = "typed in";
  RunBody(R"(
    @t1
      input_dialog
        dialog_caption
          text_const "Name please"
        input_dialog_line1
          text_const "first"
        input_dialog_line2
          text_const "second"
        input_dialog_line3
          text_const "third"
        input_dialog_text
          text_const "initial"
)");
  EXPECT_EQ(1, Got.Calls);
  EXPECT_EQ(MainWindow, Got.Owner);
  EXPECT_EQ("Name please", Got.DialogTitle);
  EXPECT_EQ("first", Got.Lines[0]);
  EXPECT_EQ("second", Got.Lines[1]);
  EXPECT_EQ("third", Got.Lines[2]);
  EXPECT_EQ("initial", Got.Edit);
  EXPECT_EQ(LanguageTable[CurrentLanguageIndex].CancelText, Got.CancelButton);
  EXPECT_TRUE(Got.Centred) << "centred over the main window";
  EXPECT_EQ("typed in", T(1));
  EXPECT_STREQ("typed in", InputDialogText.Chars());

  Got = Seen();
  Got.Press = IDCANCEL;
  Got.Typed = "thrown away";
  RunBody(R"(
    @t1
      input_dialog
        input_dialog_text
          text_const "initial"
)");
  EXPECT_EQ("", T(1));
  EXPECT_EQ("", Got.DialogTitle) << "the caption's default";
}

TEST(InputDialogResource, TemplateOf228BytesInLanguage1029) {
  HMODULE self = GetModuleHandleA(nullptr);
  HRSRC r = FindResourceExA(self, MAKEINTRESOURCEA(5), MAKEINTRESOURCEA(245), MAKELANGID(5, 1));
  ASSERT_NE(nullptr, r);
  EXPECT_EQ(228u, SizeofResource(self, r));
  const DLGTEMPLATE* t = (const DLGTEMPLATE*)LockResource(LoadResource(self, r));
  ASSERT_NE(nullptr, t);
  EXPECT_EQ(0x80C800C0u, t->style);
  EXPECT_EQ(6, t->cdit);
  EXPECT_EQ(246, t->cx);
  EXPECT_EQ(82, t->cy);
}

// The dialog's items as the system made them from the template.
TEST_F(DialogsTest, InputDialogItems) {
  HWND d = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(245), MainWindow, InputDialogProc, 0);
  ASSERT_NE(nullptr, d);
  const struct {
    int Id;
    const char* Class;
    uint32_t Style;
  } items[] = {{1093, "Edit", 0x50810080}, {1, "Button", 0x50010001}, {2, "Button", 0x50010000},
               {1146, "Static", 0x50020001}, {1147, "Static", 0x50020001}, {1148, "Static", 0x50020001}};
  for (auto& item : items) {
    HWND h = GetDlgItem(d, item.Id);
    ASSERT_NE(nullptr, h) << item.Id;
    char name[32] = {};
    GetClassNameA(h, name, sizeof name);
    EXPECT_STRCASEEQ(item.Class, name) << item.Id;
    // The dialog manager turns an edit field's border into a client edge.
    uint32_t style = (uint32_t)GetWindowLongA(h, GWL_STYLE), ex = (uint32_t)GetWindowLongA(h, GWL_EXSTYLE);
    uint32_t wanted = item.Style & ~(uint32_t)WS_BORDER;
    EXPECT_EQ(wanted, style & wanted) << item.Id;
    if (item.Style & WS_BORDER) {
      EXPECT_TRUE((style & WS_BORDER) || (ex & WS_EX_CLIENTEDGE)) << item.Id;
    }
  }
  EXPECT_EQ("OK", ItemText(d, 1));
  DestroyWindow(d);
}

}  // namespace
