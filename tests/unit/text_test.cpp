// Tests of texts: sharing and copy on write, reading, parts, changes, UTF-16
// conversion and the texts that come from windows and the file system.
#include <gtest/gtest.h>
#include <string>
#include "base/text.h"
#include "base/language.h"

namespace {

std::string Str(const Text& t) { return std::string(t.Chars(), t.Length()); }

// English code page for the conversions; the global empty text constructed.
class TextTest : public testing::Test {
 protected:
  void SetUp() override {
    savedCodePage = LanguageCodePage;
    LanguageCodePage = 1252;
    if (!EmptyText.Data) InitEmptyText();
  }
  void TearDown() override { LanguageCodePage = savedCodePage; }
  int32_t savedCodePage;
};

// A record of its own that claims to come from image text 7.
Text ImageText(const char* s) {
  Text t(s);
  t.Data->ImageTextIndex = 7;
  return t;
}

TEST_F(TextTest, CopiesShareAndChangesCopyOnWrite) {
  Text a = ImageText("abc");
  Text b = a;
  EXPECT_EQ(a.Data, b.Data);
  EXPECT_EQ(2, a.Data->RefCount);
  b.AppendChar('d');
  EXPECT_EQ("abc", Str(a));
  EXPECT_EQ("abcd", Str(b));
  EXPECT_EQ(1, a.Data->RefCount);
  EXPECT_EQ(1, b.Data->RefCount);
  EXPECT_EQ(7, a.Data->ImageTextIndex);
  EXPECT_EQ(-1, b.Data->ImageTextIndex);
}

TEST_F(TextTest, MakeUniqueOnPrivateRecordKeepsItButDropsTheStamp) {
  Text a = ImageText("abc");
  TextData* d = a.Data;
  a.MakeUnique();
  EXPECT_EQ(d, a.Data);
  EXPECT_EQ(-1, a.Data->ImageTextIndex);
}

TEST_F(TextTest, EmptyTextsShareTheStaticRecordAndBalanceItsCount) {
  int32_t before = EmptyTextData.RefCount;
  {
    Text a;
    Text b(static_cast<uint8_t>(0));
    Text c("x");
    c.AssignChar(0);
    EXPECT_EQ(&EmptyTextData, a.Data);
    EXPECT_EQ(&EmptyTextData, b.Data);
    EXPECT_EQ(&EmptyTextData, c.Data);
    EXPECT_EQ(before + 3, EmptyTextData.RefCount);
    a.AppendChar('q');  // a change copies the shared record
    EXPECT_NE(&EmptyTextData, a.Data);
    c.Assign(a);
    c.Empty();
  }
  EXPECT_EQ(before, EmptyTextData.RefCount);
  EXPECT_EQ(0, EmptyTextData.Length);
  EXPECT_EQ(0, EmptyTextData.Chars[0]);
}

TEST_F(TextTest, ByteConstructor) {
  struct Case {
    const char* s;
    int32_t n;
    std::string expected;
  } cases[] = {
      {"hello", -1, "hello"},
      {"hello", 3, "hel"},
      {"a\0b", 3, std::string("a\0b", 3)},
      {nullptr, 5, ""},
      {"", -1, ""},
  };
  for (const Case& c : cases) {
    Text t(c.s, c.n);
    EXPECT_EQ(c.expected, Str(t)) << "n " << c.n;
    EXPECT_NE(&EmptyTextData, t.Data) << "a new record, n " << c.n;
    EXPECT_EQ(1, t.Data->RefCount);
    EXPECT_EQ(-1, t.Data->ImageTextIndex);
    EXPECT_EQ(0, t.Data->Chars[t.Length()]) << "terminator";
  }
}

TEST_F(TextTest, AssignmentsReleaseTheOldRecord) {
  Text a("one");
  Text keep = a;  // watches the old record's count
  a.Assign(Text("two"));
  EXPECT_EQ("two", Str(a));
  EXPECT_EQ(1, keep.Data->RefCount);
  a = a;  // to itself
  EXPECT_EQ("two", Str(a));
  EXPECT_EQ(1, a.Data->RefCount);
  a.AssignChars(nullptr);
  EXPECT_EQ(0, a.Length());
  EXPECT_NE(&EmptyTextData, a.Data);
  a.AssignChars("three");
  EXPECT_EQ("three", Str(a));
}

TEST_F(TextTest, AssignFromOwnCharacters) {
  Text a("abcdef");
  a.AssignChars(a.Chars() + 2);
  EXPECT_EQ("cdef", Str(a));
  a.AssignBytes(a.Chars() + 1, 2);
  EXPECT_EQ("de", Str(a));
}

TEST_F(TextTest, SetLength) {
  Text a = ImageText("abcdef");
  Text shared = a;
  a.SetLength(3);
  EXPECT_EQ("abc", Str(a));
  EXPECT_EQ("abcdef", Str(shared));
  EXPECT_EQ(-1, a.Data->ImageTextIndex);
  EXPECT_EQ(0, a.Data->Chars[3]);
  a.SetLength(5);  // the two new characters are not set, the terminator is
  EXPECT_EQ(5, a.Length());
  EXPECT_EQ("abc", Str(a).substr(0, 3));
  EXPECT_EQ(0, a.Data->Chars[5]);
  a.SetLength(-4);
  EXPECT_EQ(0, a.Length());
}

TEST_F(TextTest, WideConversionInTheLanguageCodePage) {
  struct Case {
    const wchar_t* w;
    int32_t n;
    std::string expected;
  } cases[] = {
      {L"abc", -1, "abc"},
      {L"abcdef", 2, "ab"},
      {L"\u00e9t\u00e9", -1, "\xe9t\xe9"},
      {L"a\0b", 3, std::string("a\0b", 3)},
      {nullptr, 4, ""},
      {L"", -1, ""},
  };
  for (const Case& c : cases) {
    Text t(c.w, c.n);
    EXPECT_EQ(c.expected, Str(t)) << "n " << c.n;
    EXPECT_EQ(0, t.Data->Chars[t.Length()]);
    Text u("x");
    u.AppendWide(c.w, c.n);
    EXPECT_EQ("x" + c.expected, Str(u)) << "appended, n " << c.n;
  }
}

// A code page with several bytes per unit, or none that the system knows:
// the length is what the conversion wrote, never unset bytes.
TEST_F(TextTest, WideConversionWithOtherCodePages) {
  LanguageCodePage = CP_UTF8;
  EXPECT_EQ("\xc3\xa9t\xc3\xa9", Str(Text(L"\u00e9t\u00e9", -1)));
  Text t("x");
  t.AppendWide(L"\u20ac", 1);
  EXPECT_EQ("x\xe2\x82\xac", Str(t));
  EXPECT_EQ(0, t.Data->Chars[t.Length()]);
  LanguageCodePage = 54321;  // not installed
  EXPECT_EQ(0, Text(L"abc", 3).Length());
  Text u("x");
  u.AppendWide(L"abc", 3);
  EXPECT_EQ("x", Str(u));
}

TEST_F(TextTest, AppendWideOfNothingKeepsTheRecord) {
  Text a = ImageText("ab");
  Text shared = a;
  a.AppendWide(L"xyz", 0);
  EXPECT_EQ(shared.Data, a.Data);
  EXPECT_EQ(7, a.Data->ImageTextIndex);
}

TEST_F(TextTest, WriteAndWriteWide) {
  Text t("\xe9t\xe9!");
  char bytes[8] = "-------";
  EXPECT_EQ(4, t.Write(bytes));
  EXPECT_EQ(std::string("\xe9t\xe9!---"), std::string(bytes));
  wchar_t wide[8];
  wmemset(wide, L'-', 8);
  EXPECT_EQ(4, t.WriteWide(wide));
  EXPECT_EQ(std::wstring(L"\u00e9t\u00e9!----"), std::wstring(wide, 8));
  wmemset(wide, L'-', 8);
  EXPECT_EQ(0, Text().WriteWide(wide));
  EXPECT_EQ(L'-', wide[0]);
}

TEST_F(TextTest, GetChar) {
  Text t("ab\xff");
  struct Case {
    int32_t pos;
    uint8_t expected;
  } cases[] = {{0, 'a'}, {2, 0xff}, {3, 0}, {-1, 0}, {INT32_MIN, 0}};
  for (const Case& c : cases) EXPECT_EQ(c.expected, t.GetChar(c.pos)) << "pos " << c.pos;
  EXPECT_EQ(0xff, t.GetLastChar());
  EXPECT_EQ(0, Text().GetLastChar());
}

TEST_F(TextTest, FindCharStopsAtAZeroByteButReverseDoesNot) {
  Text t("ab\0cb", 5);
  struct Case {
    uint8_t c;
    int32_t forward, reverse;
  } cases[] = {{'a', 0, 0}, {'b', 1, 4}, {'c', -1, 3}, {0, -1, 2}, {'z', -1, -1}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.forward, t.FindChar(c.c)) << c.c;
    EXPECT_EQ(c.reverse, t.FindCharReverse(c.c)) << c.c;
  }
}

TEST_F(TextTest, Find) {
  struct Case {
    std::string t, u;
    int32_t expected;
  } cases[] = {
      {"abcabc", "ca", 2},
      {"abcabc", "", 0},
      {"abcabc", "x", -1},
      {"abcabc", "c", 2},
      {"abcabc", "bc", 1},
      {"abcabc", "abcabc", 0},
      {"abc", "abcd", -1},
      {"ab", "b", 1},
      {std::string("a\0bc", 4), "bc", 2},      // byte-exact across a zero byte
      {std::string("a\0bc", 4), "b", -1},      // one character: stops at it
      {"abcab", "ab", 0},
      {"xxabx", "abx", 2},
  };
  for (const Case& c : cases) {
    Text t(c.t.data(), static_cast<int32_t>(c.t.size()));
    Text u(c.u.data(), static_cast<int32_t>(c.u.size()));
    EXPECT_EQ(c.expected, t.Find(u)) << "'" << c.u << "' in '" << c.t << "'";
  }
}

TEST_F(TextTest, CountLines) {
  struct Case {
    std::string t;
    int32_t expected;
  } cases[] = {
      {"", 0},
      {"a", 1},
      {"\r", 1},
      {"a\r\nb", 2},
      {"a\r\n", 1},
      {"a\r\n\r\nb", 3},
      {"\r\n", 1},
      {"a\rb\nc", 1},
      {std::string("a\r\n\0\r\nb", 7), 2},  // pairs after a zero byte do not count
  };
  for (const Case& c : cases) {
    Text t(c.t.data(), static_cast<int32_t>(c.t.size()));
    EXPECT_EQ(c.expected, t.CountLines()) << "'" << c.t << "'";
  }
}

TEST_F(TextTest, GetLine) {
  struct Case {
    std::string t;
    int32_t n;
    std::string expected;
  } cases[] = {
      {"a\r\n\r\nb", 0, "a"},
      {"a\r\n\r\nb", 1, ""},
      {"a\r\n\r\nb", 2, "b"},
      {"a\r\n\r\nb", 3, ""},
      {"a\r\n\r\nb", -2, "a"},
      {"one\r\ntwo\r\n", 1, "two"},
      {"one\r\ntwo\r\n", 2, ""},
      {"a\rb\r\nc", 0, "a\rb"},
      {"ab\r", 0, "ab\r"},  // a CR at the end ends no line
      {"", 0, ""},
  };
  for (const Case& c : cases) {
    Text t(c.t.data(), static_cast<int32_t>(c.t.size()));
    EXPECT_EQ(c.expected, Str(t.GetLine(c.n))) << "line " << c.n << " of '" << c.t << "'";
  }
}

TEST_F(TextTest, Equality) {
  Text ab("ab");
  Text zero("ab\0", 3);
  EXPECT_TRUE(ab.Equals(Text("ab")));
  EXPECT_FALSE(ab.Equals(zero));
  EXPECT_TRUE(ab.NotEquals(zero));
  EXPECT_FALSE(ab.NotEquals(Text("ab")));
  EXPECT_TRUE(ab.EqualsChars("ab"));
  EXPECT_FALSE(ab.EqualsChars("abc"));
  EXPECT_FALSE(zero.EqualsChars("ab"));
  EXPECT_TRUE(Text().EqualsChars(nullptr));
  EXPECT_FALSE(ab.EqualsChars(nullptr));
}

// Orders that the user locale gives on Windows as well (case is looked at
// after the letters, unlike a byte comparison).
TEST_F(TextTest, LessOrEqualUsesTheLocaleOrder) {
  struct Case {
    const char* t;
    const char* u;
    bool expected;
  } cases[] = {
      {"a", "B", true},  {"B", "a", false}, {"abc", "abc", true}, {"abc", "abd", true},
      {"abd", "abc", false}, {"", "a", true}, {"a", "", false},    {"ab", "abc", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, Text(c.t).LessOrEqual(Text(c.u))) << c.t << " <= " << c.u;
  }
}

TEST_F(TextTest, Parts) {
  Text t("abcd");
  struct Case {
    Text result;
    const char* expected;
  } cases[] = {
      {t.Left(2), "ab"},      {t.Left(-1), ""},     {t.Left(9), "abcd"},  {t.Right(1), "d"},
      {t.Right(100), "abcd"}, {t.Right(-3), ""},    {t.Mid(1, 2), "bc"},  {t.Mid(10, 2), ""},
      {t.Mid(-3, 2), "ab"},   {t.Mid(2, -1), ""},   {t.Mid(2, 50), "cd"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, Str(c.result));
    EXPECT_NE(t.Data, c.result.Data) << "a new record for " << c.expected;
    EXPECT_EQ(0, c.result.Data->Chars[c.result.Length()]);
  }
  EXPECT_EQ(1, t.Data->RefCount);
}

TEST_F(TextTest, Concatenations) {
  Text a("ab");
  EXPECT_EQ("abcd", Str(ConcatTexts(a, Text("cd"))));
  EXPECT_EQ("abab", Str(ConcatTexts(a, a)));
  EXPECT_EQ("abxy", Str(ConcatTextChars(a, "xy")));
  EXPECT_EQ("ab", Str(ConcatTextChars(a, nullptr)));
  EXPECT_EQ("zab", Str(ConcatCharText('z', a)));
  EXPECT_EQ(std::string("\0ab", 3), Str(ConcatCharText(0, a)));
  EXPECT_EQ(std::string("ab\0", 3), Str(ConcatTextChar(a, 0)));
  EXPECT_EQ("ab", Str(a));
}

TEST_F(TextTest, AppendToItself) {
  Text a("abc");
  a.Append(a);
  EXPECT_EQ("abcabc", Str(a));
  Text b = a;  // shared: the copy is appended from the old record
  b.Append(b);
  EXPECT_EQ("abcabcabcabc", Str(b));
  EXPECT_EQ("abcabc", Str(a));
}

TEST_F(TextTest, AppendPartsOfItself) {
  Text a("0123456789");
  for (int i = 0; i < 6; i++) a.AppendBytes(a.Chars() + 2, a.Length() - 2);  // grows to 34 times
  EXPECT_EQ(10 + 8 * 63, a.Length());
  EXPECT_EQ("0123456789234567892345678923456789", Str(a).substr(0, 34));
  Text b("xyz");
  b.AppendChars(b.Chars() + 1);
  EXPECT_EQ("xyzyz", Str(b));
}

TEST_F(TextTest, AppendVariants) {
  Text a("ab");
  a.AppendChars("cd");
  a.AppendChar(0);
  a.AppendBytes("ef", 2);
  EXPECT_EQ(std::string("abcd\0ef", 7), Str(a));
  EXPECT_EQ(0, a.Data->Chars[7]);
}

// Which appends of nothing still make the record private.
TEST_F(TextTest, AppendsOfNothing) {
  Text a = ImageText("ab");
  Text shared = a;
  a.AppendBytes("xyz", 0);
  a.AppendBytes("xyz", -2);
  EXPECT_EQ(shared.Data, a.Data);
  EXPECT_EQ(7, a.Data->ImageTextIndex);
  a.AppendChars(nullptr);
  EXPECT_NE(shared.Data, a.Data);
  EXPECT_EQ("ab", Str(a));
  EXPECT_EQ(-1, a.Data->ImageTextIndex);
  EXPECT_EQ(7, shared.Data->ImageTextIndex);
}

TEST_F(TextTest, Delete) {
  struct Case {
    int32_t pos, n;
    const char* expected;
  } cases[] = {
      {1, 2, "adef"}, {0, 1, "bcdef"}, {4, 10, "abcd"}, {-2, 2, "cdef"},
      {6, 3, "abcdef"}, {9, 1, "abcdef"}, {2, -1, "abcdef"}, {0, 6, ""},
  };
  for (const Case& c : cases) {
    Text t("abcdef");
    t.Delete(c.pos, c.n);
    EXPECT_EQ(c.expected, Str(t)) << "Delete(" << c.pos << ", " << c.n << ")";
    EXPECT_EQ(0, t.Data->Chars[t.Length()]);
  }
}

TEST_F(TextTest, DeleteOfNothingKeepsTheRecordAndItsStamp) {
  Text a = ImageText("abc");
  Text shared = a;
  a.Delete(1, 0);
  EXPECT_EQ(shared.Data, a.Data);
  EXPECT_EQ(7, a.Data->ImageTextIndex);
  a.Delete(0, 1);
  EXPECT_EQ("bc", Str(a));
  EXPECT_EQ("abc", Str(shared));
}

TEST_F(TextTest, CaseMappingStopsAtAZeroByte) {
  Text t("abc\xe9\0def", 8);
  Text shared = t;
  t.UpperCase();
  EXPECT_EQ(std::string("ABC\xc9\0def", 8), Str(t));
  EXPECT_EQ(std::string("abc\xe9\0def", 8), Str(shared));
  Text u("MiXeD \xc9");
  u.LowerCase();
  EXPECT_EQ("mixed \xe9", Str(u));
}

TEST_F(TextTest, Trims) {
  struct Case {
    std::string t, left, right;
  } cases[] = {
      {"  ab  ", "ab  ", "  ab"},
      {std::string("ab \0", 4), std::string("ab \0", 4), "ab"},
      {std::string(" \0ab", 4), std::string("\0ab", 3), std::string(" \0ab", 4)},
      {"\x01\x1f\x20x", "x", "\x01\x1f\x20x"},
      {"\xa0x\xa0", "\xa0x\xa0", "\xa0x\xa0"},  // codes above 127 stay
      {"   ", "", ""},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    Text left(c.t.data(), static_cast<int32_t>(c.t.size()));
    Text right = left;
    left.TrimLeft();
    right.TrimRight();
    EXPECT_EQ(c.left, Str(left)) << "left of '" << c.t << "'";
    EXPECT_EQ(c.right, Str(right)) << "right of '" << c.t << "'";
    EXPECT_EQ(0, left.Data->Chars[left.Length()]);
    EXPECT_EQ(0, right.Data->Chars[right.Length()]);
  }
}

TEST_F(TextTest, RemoveInvalidPathChars) {
  struct Case {
    std::string t;
    int32_t cursor;
    std::string expected;
    int32_t expectedCursor;
  } cases[] = {
      {"a?b*c", 5, "abc", 3},
      {"a?b*c", 1, "abc", 1},
      {"a?b*c", 2, "abc", 1},
      {"C:\\dir\\x.txt", 4, "C:\\dir\\x.txt", 4},
      {"\"*/<>?|", 7, "", 0},
      {std::string("a\0b\tc\x1f", 6), 6, "abc", 3},
      {"\x80\xff", 2, "\x80\xff", 2},
  };
  for (const Case& c : cases) {
    Text t(c.t.data(), static_cast<int32_t>(c.t.size()));
    EXPECT_EQ(c.expectedCursor, t.RemoveInvalidPathChars(c.cursor)) << "'" << c.t << "'";
    EXPECT_EQ(c.expected, Str(t)) << "'" << c.t << "'";
  }
}

TEST_F(TextTest, RemoveInvalidPathCharsOfNothingKeepsTheRecord) {
  Text a = ImageText("name.txt");
  Text shared = a;
  EXPECT_EQ(3, a.RemoveInvalidPathChars(3));
  EXPECT_EQ(shared.Data, a.Data);
  EXPECT_EQ(7, a.Data->ImageTextIndex);
}

// A message-only window whose class estimates a longer text than it gives,
// as a window with text in another code page may.
LRESULT CALLBACK OverestimatingProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_GETTEXTLENGTH) return DefWindowProcA(window, message, w, l) + 40;
  return DefWindowProcA(window, message, w, l);
}

class WindowTextTest : public TextTest {
 protected:
  void SetUp() override {
    TextTest::SetUp();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = OverestimatingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "YeltoTextTestWindow";
    RegisterClassA(&wc);
    window = CreateWindowA("YeltoTextTestWindow", "abc", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           wc.hInstance, nullptr);
    ASSERT_NE(nullptr, window);
  }
  void TearDown() override {
    DestroyWindow(window);
    TextTest::TearDown();
  }
  HWND window = nullptr;
};

TEST_F(WindowTextTest, LoadTakesTheLengthTheWindowGave) {
  ASSERT_GT(GetWindowTextLengthA(window), 3);
  Text t("old");
  t.LoadWindowText(window);
  EXPECT_EQ("abc", Str(t));
  EXPECT_EQ(0, t.Data->Chars[3]);
}

TEST_F(WindowTextTest, StoreAndLoadDialogItems) {
  Text("caption").StoreWindowText(window);
  Text t;
  t.LoadWindowText(window);
  EXPECT_EQ("caption", Str(t));
  HWND item = CreateWindowA("YeltoTextTestWindow", "item", WS_CHILD, 0, 0, 0, 0, window,
                            reinterpret_cast<HMENU>(12), GetModuleHandleA(nullptr), nullptr);
  // Wine makes child windows only with a display (scripts/test.sh starts one).
  if (!item) GTEST_SKIP() << "no child window without a display";
  Text("changed").StoreDlgItemText(window, 12);
  t.LoadDlgItemText(window, 12);
  EXPECT_EQ("changed", Str(t));
  Text("nobody").StoreDlgItemText(window, 13);  // no such item: nothing happens
  t.LoadDlgItemText(window, 13);
  EXPECT_EQ(0, t.Length());
}

TEST_F(TextTest, TempFileName) {
  Text t;
  t.SetTempFileName();
  ASSERT_GT(t.Length(), 0);
  char path[MAX_PATH];
  GetTempPathA(MAX_PATH, path);
  EXPECT_EQ(0, _strnicmp(path, t.Chars(), strlen(path))) << t.Chars();
  EXPECT_NE(std::string::npos, Str(t).find("YLT")) << t.Chars();
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(t.Chars())) << "the file is made";
  DeleteFileA(t.Chars());
}

TEST_F(TextTest, TempFileNameInAMissingDirectoryIsEmpty) {
  char saved[MAX_PATH];
  DWORD had = GetEnvironmentVariableA("TMP", saved, MAX_PATH);
  SetEnvironmentVariableA("TMP", "C:\\yelto-no-such-dir\\sub");
  Text t("old");
  t.SetTempFileName();
  SetEnvironmentVariableA("TMP", had ? saved : nullptr);
  EXPECT_EQ(0, t.Length()) << t.Chars();
}

TEST_F(TextTest, CurrentDirectoryAndModuleFileName) {
  char expected[MAX_PATH];
  DWORD n = GetCurrentDirectoryA(MAX_PATH, expected);
  Text t;
  t.LoadCurrentDirectory();
  EXPECT_EQ(std::string(expected, n), Str(t));
  n = GetModuleFileNameA(nullptr, expected, MAX_PATH);
  t.LoadModuleFileName(nullptr);
  EXPECT_EQ(std::string(expected, n), Str(t));
  t.LoadModuleFileName(reinterpret_cast<HMODULE>(0x10));  // no such module
  EXPECT_EQ(0, t.Length());
}

TEST_F(TextTest, GlobalTextsAreEmptyOnceInitialised) {
  InitCommandLine();
  InitModulePath();
  EXPECT_EQ(&EmptyTextData, CommandLine.Data);
  EXPECT_EQ(&EmptyTextData, ModulePath.Data);
  EXPECT_EQ(&EmptyTextData, EmptyText.Data);
}

}  // namespace
