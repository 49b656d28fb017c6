// Decoded loops against their steps: a program runs once kept on its steps
// and once as it is, and every number, the flags and the looks must come out
// the same, the numbers to the bit.
#pragma once
#include <string.h>
#include <string>
#include <vector>
#include "program_fixture.h"

class StepsTwinTest : public ProgramTest {
 public:
  std::vector<double> Values;  // every number after the run
  bool Decoded;                // the loop's steps decode
  uint32_t Flags;              // ExecFlags after the run

  // Keeps the numbers and the flags after a run.
  void Keep() {
    Flags = ExecFlags;
    Values.assign(Numbers.ItemArray(), Numbers.ItemArray() + Numbers.Count);
  }

  // run(keepOnSteps) builds and runs the program; what names it in failures.
  template <class Run>
  void ExpectTwinsAgree(Run run, bool decodes, const std::string& what) {
    ASSERT_TRUE(run(true)) << what;
    EXPECT_FALSE(Decoded) << "the logic assignment keeps the loop on its steps";
    std::vector<double> steps = Values;
    uint32_t stepsFlags = Flags;
    int32_t stepsPumps = Fake.Pumps;
    ASSERT_TRUE(run(false)) << what;
    EXPECT_EQ(decodes, Decoded) << what;
    EXPECT_EQ(stepsFlags, Flags) << what;
    EXPECT_EQ(stepsPumps, Fake.Pumps) << what;
    ASSERT_EQ(steps.size(), Values.size());
    for (size_t e = 0; e < steps.size(); e++)
      EXPECT_EQ(0, memcmp(&steps[e], &Values[e], sizeof(double)))
          << "entry " << e << ": " << steps[e] << " on the steps, " << Values[e] << " decoded; " << what;
  }
};
