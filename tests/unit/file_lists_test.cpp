// File lists: the names that ';'-separated patterns match, one a line.
#include <algorithm>
#include <sstream>
#include <vector>
#include "file_fixture.h"

namespace {

class FileLists : public FileTest {
 public:
  // The list split at CR LF; every line, the last included, must end so.
  static std::vector<std::string> Lines(const std::string& list) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < list.size()) {
      size_t end = list.find("\r\n", at);
      if (end == std::string::npos) {
        ADD_FAILURE() << "no CR LF after '" << list.substr(at) << "'";
        break;
      }
      lines.push_back(list.substr(at, end - at));
      at = end + 2;
    }
    return lines;
  }
  static std::vector<std::string> Sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
  }
  std::string List(const char* patterns) { return TextOf("(file_list " + Const(patterns) + ")"); }
};

TEST_F(FileLists, PatternsInOrder) {
  for (const char* name : {"a.txt", "b.txt", "c.doc", "d.bin"}) ASSERT_TRUE(Put(name, ""));
  CreateDirectoryA("sub", nullptr);
  ASSERT_TRUE(Put("sub\\in.txt", ""));
  using V = std::vector<std::string>;
  // Each pattern's matches come before the next pattern's.
  V both = Lines(List("*.doc;*.txt"));
  ASSERT_EQ(3u, both.size());
  EXPECT_EQ("c.doc", both[0]);
  EXPECT_EQ((V{"a.txt", "b.txt"}), Sorted(V(both.begin() + 1, both.end())));
  EXPECT_EQ((V{"c.doc", "d.bin"}), Lines(List(" c.doc ; ;d.bin;")));
  EXPECT_EQ((V{"in.txt"}), Lines(List("sub\\*.txt")));  // bare names
  EXPECT_EQ((V{"a.txt", "a.txt"}), Lines(List("a.txt;a.txt")));
  EXPECT_EQ("", List("*.none"));
  EXPECT_EQ("", List("nowhere\\*"));
  EXPECT_EQ(0, FileError);
  // No pattern, a blank one and no operand: everything, "." and ".." and
  // directories included.
  V all{".", "..", "a.txt", "b.txt", "c.doc", "d.bin", "sub"};
  EXPECT_EQ(all, Sorted(Lines(List(""))));
  EXPECT_EQ(all, Sorted(Lines(List(" \t "))));
  EXPECT_EQ(all, Sorted(Lines(TextOf("(file_list)"))));
  EXPECT_EQ(0, FileError);
}

}  // namespace
