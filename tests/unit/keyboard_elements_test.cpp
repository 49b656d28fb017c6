// The keyboard elements in compiled programs: keys held, the rings read by
// the elements and their waits (on the fake pump), flushing, the lock keys.
#include "input_setup.h"

namespace {

class KeyboardElementsTest : public InputTest {
 public:
  static int32_t KeyAtWait, CharAtWait;  // the wait at which a key or character arrives; 0 never
  void SetUp() override {
    InputTest::SetUp();
    KeyAtWait = CharAtWait = 0;
  }
  static void ArriveAtWait() {
    if (Fake.Waits == KeyAtWait) KeyRing.Write('K');
    if (Fake.Waits == CharAtWait) CharRing.Write('c');
  }
};
int32_t KeyboardElementsTest::KeyAtWait, KeyboardElementsTest::CharAtWait;

TEST_F(KeyboardElementsTest, KeyDown) {
  const struct {
    const char* Name;
    const char* Operand;
    std::vector<int32_t> Held;
    uint8_t Paused;
    uint8_t Expected;
  } cases[] = {
      {"held", "num 65", {65}, 0, 1},
      {"not held", "num 66", {65}, 0, 0},
      {"right Ctrl", "num 163", {163}, 0, 1},
      {"rounded code", "num 64.7", {65}, 0, 1},
      {"0: no key held", "num 0", {}, 0, 1},
      {"0: a key held", "num 0", {65}, 0, 0},
      {"0: paused", "num 0", {}, 1, 0},
      {"19 is the pause", "num 19", {}, 1, 1},
      {"19 not paused", "num 19", {19}, 0, 0},
      {"above 255", "num 321", {65}, 0, 0},
      {"negative", "num -191", {65}, 0, 0},
      {"NaN", "@nanv", {}, 0, 0},
  };
  for (auto& c : cases) {
    memset(KeysDown, 0, sizeof KeysDown);
    for (int32_t k : c.Held) KeysDown[k] = 1;
    KeysDownCount = (int32_t)c.Held.size();
    PauseFlag = c.Paused;
    RunBody(std::string("    @b\n      key_down\n        ") + c.Operand + "\n");
    EXPECT_EQ(c.Expected, B()) << c.Name;
  }
  PauseFlag = 0;
}

// Q, W and E read back in order through key_vkey; an empty ring gives 0 and
// the empty text, and a character 0 reads as the empty text.
TEST_F(KeyboardElementsTest, ReadingTheRings) {
  for (WPARAM vk : {'Q', 'W', 'E'}) Press(vk);
  for (double code : {81.0, 87.0, 69.0, 0.0}) {
    RunBody("    @r\n      key_vkey\n");
    EXPECT_EQ(code, R());
  }
  Feed(WM_CHAR, 'h', 1);
  Feed(WM_CHAR, 0, 1);
  for (const char* expected : {"h", "", ""}) {
    RunBody("    @t\n      key_char\n");
    EXPECT_EQ(expected, T());
  }
  EXPECT_TRUE(CharRing.IsEmpty());
  EXPECT_EQ(0, Fake.Waits) << "the reads never wait";
}

TEST_F(KeyboardElementsTest, Waits) {
  const struct {
    const char* Name;
    const char* Body;
    int32_t KeyAt, CharAt, QuitAt;
    bool KeyWaiting;  // a key is in the ring before
    int32_t Waits;
    double R;
    const char* T;
    bool KeyLeft, CharLeft;
  } cases[] = {
      {"number: a key at the third tick", "    @r\n      key_wait\n", 3, 0, 0, false, 3, 'K', "unset", false, false},
      {"number: a key already waiting", "    @r\n      key_wait\n", 0, 0, 0, true, 0, 'A', "unset", false, false},
      {"number: ended by a quit", "    @r\n      key_wait\n", 0, 0, 2, false, 2, 0, "unset", false, false},
      {"number: a character does not end it", "    @r\n      key_wait\n", 4, 1, 0, false, 4, 'K', "unset", false, true},
      {"command: the key is dropped", "    key_wait\n", 2, 0, 0, false, 2, 0, "unset", false, false},
      {"text: a character", "    @t\n      key_wait_char\n", 0, 2, 0, false, 2, 0, "c", false, false},
      {"text: a key does not end it", "    @t\n      key_wait_char\n", 1, 3, 0, false, 3, 0, "c", true, false},
      {"text: ended by a quit", "    @t\n      key_wait_char\n", 0, 0, 1, false, 1, 0, "", false, false},
      {"command: the character is dropped", "    key_wait_char\n", 0, 1, 0, false, 1, 0, "unset", false, false},
  };
  for (auto& c : cases) {
    KeyRing = InputRing();
    CharRing = InputRing();
    if (c.KeyWaiting) KeyRing.Write('A');
    KeyAtWait = c.KeyAt;
    CharAtWait = c.CharAt;
    Fake.QuitAtWait = c.QuitAt;
    Fake.Waits = 0;
    Fake.TicksWaited = 0;
    Fake.OnWait = ArriveAtWait;
    ExecFlags = 0;
    RunBody(c.Body);
    EXPECT_EQ(c.Waits, Fake.Waits) << c.Name;
    EXPECT_EQ(c.Waits, Fake.TicksWaited) << c.Name << ": one tick at a time";
    EXPECT_EQ(c.R, R()) << c.Name;
    EXPECT_EQ(c.T, T()) << c.Name;
    EXPECT_EQ(c.KeyLeft, !KeyRing.IsEmpty()) << c.Name;
    EXPECT_EQ(c.CharLeft, !CharRing.IsEmpty()) << c.Name;
  }
  ExecFlags = 0;
}

TEST_F(KeyboardElementsTest, FlushEmptiesBothRings) {
  Press('A');
  Press('B');
  Feed(WM_CHAR, 'a', 1);
  RunBody("    key_flush\n    @r\n      key_vkey\n    @t\n      key_char\n");
  EXPECT_EQ(0, R());
  EXPECT_EQ("", T());
  EXPECT_EQ(2, KeysDownCount) << "held keys stay held";
}

// Setting a lock key makes the state the program reads and asks the next
// pump to apply it.
TEST_F(KeyboardElementsTest, LockKeys) {
  const struct {
    int32_t Element;
    uint8_t* State;
    uint8_t* Request;
  } cases[] = {
      {El::key_num_lock, &NumLockState, &NumLockRequest},
      {El::key_caps_lock, &CapsLockState, &CapsLockRequest},
      {El::key_scroll_lock, &ScrollLockState, &ScrollLockRequest},
      {El::key_insert, &InsertState, &InsertRequest},
  };
  for (auto& c : cases) {
    for (const char* value : {"true", "false"}) {
      *c.Request = 0;
      *c.State = 7;
      std::string name = ElementNameOfId(c.Element);
      RunBody("    " + name + "\n      " + value + "\n    @b\n      " + name + "\n");
      uint8_t on = value[0] == 't';
      EXPECT_EQ(on, *c.State) << name << " " << value;
      EXPECT_EQ(1, *c.Request) << name << " " << value;
      EXPECT_EQ(on, B()) << name << " " << value;
    }
    *c.Request = 0;
    *c.State = 0;
  }
}

}  // namespace
