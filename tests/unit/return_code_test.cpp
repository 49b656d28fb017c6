// The return code: set from a number, read back as an unsigned number.
#include "expression_fixture.h"
#include "startup/runtime.h"

namespace {

class ReturnCodeTest : public ExpressionTest {};

TEST_F(ReturnCodeTest, SetAndRead) {
  const struct {
    const char* Value;
    uint32_t Expected;
  } cases[] = {
      {"(num 3.5)", 4},          {"(num 2.49)", 2},         {"(num -7)", 0},
      {"(num 1e12)", 4294967295u}, {"(num 4294967295)", 4294967295u}, {"(num 4294967294.6)", 4294967295u},
      {"(num 0.4)", 0},          {"(@nan)", 0},             {"(@pinf)", 4294967295u},
      {"(num 1e19)", 4294967295u}, {"(@ninf)", 0},         {"(num 200)", 200},
  };
  for (auto& c : cases) {
    ReturnCode = 12345;
    std::string set = std::string("(return_code ") + c.Value + ")";
    ASSERT_TRUE(RunExpressions("(return_code)", "", set));
    EXPECT_EQ(c.Expected, ReturnCode) << c.Value;
    EXPECT_EQ(12345, R) << "read before it was set";
    ASSERT_TRUE(RunExpressions("", "", set + "(@r (return_code))"));
    EXPECT_EQ((double)c.Expected, R) << c.Value;
  }
  ReturnCode = 0;
}

}  // namespace
