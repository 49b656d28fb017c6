// Sprite data and sprite objects: defaults, shared data with independent
// state, the rest-phase limits, the sprite list.
#include <gtest/gtest.h>
#include "media_setup.h"
#include "values/sprite.h"

namespace {

class SpriteTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { SetUpMediaValues(); }
  void TearDown() override { Sprites.RemoveAll(); }
};

void ExpectFreshState(const Sprite& s, const char* what) {
  EXPECT_EQ(0, s.Visible) << what;
  EXPECT_EQ(0, s.Moving) << what;
  EXPECT_EQ(0, s.Queued) << what;
  EXPECT_EQ(0, s.Animating) << what;
  EXPECT_EQ(0, s.PixelX) << what;
  EXPECT_EQ(0, s.StepsLeft) << what;
  EXPECT_EQ(0, s.Phase) << what;
  EXPECT_EQ(0.0, s.X) << what;
  EXPECT_EQ(0.0, s.TargetY) << what;
  EXPECT_EQ(0.0, s.Angle) << what;
  EXPECT_EQ(-1, s.PendingPhase) << what;
  EXPECT_EQ(0, s.StatusShown) << what;
  EXPECT_EQ(-1.0, s.Status) << what;
}

TEST_F(SpriteTest, NewDataHasTheDefaults) {
  const int32_t cases[][4] = {{2, 3, 2, 3}, {0, -4, 1, 1}, {1, 1, 1, 1}};
  for (const auto& c : cases) {
    Sprite s(c[0], c[1]);
    const SpriteData* d = s.Data.Data;
    EXPECT_EQ(c[2], d->PhaseCount) << c[0] << " x " << c[1];
    EXPECT_EQ(c[3], d->DirectionCount) << c[0] << " x " << c[1];
    EXPECT_EQ(1, d->RestPhaseCount);
    EXPECT_EQ(55, d->Delay);
    EXPECT_EQ(1000, d->Level);
    EXPECT_EQ(8.0, d->Step);
    for (int32_t i = 0; i < c[2] * c[3]; i++)
      EXPECT_EQ(&EmptyPictureData, const_cast<SpriteData*>(d)->Pictures()[i].Data);
    ExpectFreshState(s, "new sprite");
  }
  ExpectFreshState(EmptySprite, "empty sprite");
  EXPECT_EQ(EmptySpriteData, EmptySprite.Data.Data);
  EXPECT_EQ(1, EmptySpriteData->PhaseCount);
}

TEST_F(SpriteTest, RestPhaseCountStaysWithinThePhases) {
  const int32_t cases[][3] = {{0, 4, 1}, {-7, 4, 1}, {1, 4, 1}, {4, 4, 4}, {9, 4, 4}, {3, 1, 1}};
  for (const auto& c : cases) {
    Sprite s(c[1], 1);
    s.Data.Data->SetRestPhaseCount(c[0]);
    EXPECT_EQ(c[2], s.Data.Data->RestPhaseCount) << c[0] << " of " << c[1];
  }
}

TEST_F(SpriteTest, CopiesShareDataButNotState) {
  Sprite model(3, 2);
  SpriteData* data = model.Data.Data;
  int32_t first = Sprites.Append(model);
  Sprites[first].X = 5;
  Sprites[first].Visible = 1;
  EXPECT_EQ(1, Sprites.AppendCopies(first, 2));
  EXPECT_EQ(3, Sprites.Count);
  for (int32_t i = 1; i < 3; i++) {
    EXPECT_EQ(data, Sprites[i].Data.Data);
    ExpectFreshState(Sprites[i], "copy");
  }
  EXPECT_EQ(4, data->RefCount);
  Sprites[1].Y = 2;
  EXPECT_EQ(0.0, Sprites[2].Y);

  for (int32_t outside : {3, 4, -1}) {
    int32_t at = Sprites.AppendCopy(outside);
    EXPECT_EQ(EmptySpriteData, Sprites[at].Data.Data) << "index " << outside;
  }
  Sprites.RemoveLast(10);
  EXPECT_EQ(0, Sprites.Count);
  EXPECT_EQ(1, data->RefCount);
}

TEST_F(SpriteTest, ListGrowthKeepsObjectsAndTheirData) {
  Sprite model(2, 1);
  for (int32_t i = 0; i < 1500; i++) {
    int32_t at = i == 0 ? Sprites.Append(model) : Sprites.AppendCopy(i - 1);
    Sprites[at].PixelX = i;
  }
  EXPECT_EQ(2048, Sprites.Capacity);
  EXPECT_EQ(1501, model.Data.Data->RefCount);
  EXPECT_EQ(1499, Sprites[1499].PixelX);
  EXPECT_EQ(1500, Sprites.AppendNew());
  EXPECT_EQ(EmptySpriteData, Sprites[1500].Data.Data);
}

TEST_F(SpriteTest, DataChangesKeepTheObjectsState) {
  Sprite a(4, 1), b(2, 2);
  a.X = 3;
  a.Phase = 2;
  a.AssignData(b);
  EXPECT_EQ(b.Data.Data, a.Data.Data);
  EXPECT_EQ(3.0, a.X);
  a.NewData(5, 1);
  EXPECT_EQ(5, a.Data.Data->PhaseCount);
  EXPECT_EQ(1, b.Data.Data->RefCount);
  EXPECT_EQ(2, a.Phase);
  a.Empty();
  EXPECT_EQ(EmptySpriteData, a.Data.Data);
}

TEST_F(SpriteTest, CurrentPictureByPhaseAndDirection) {
  Sprite s(3, 2);
  Picture* pictures = s.Data.Data->Pictures();
  for (int32_t i = 0; i < 6; i++) pictures[i].New(i + 1, 1);
  const int32_t cases[][3] = {{0, 0, 1}, {2, 0, 3}, {0, 1, 4}, {2, 1, 6}};
  for (const auto& c : cases) {
    s.Phase = c[0];
    s.Direction = c[1];
    EXPECT_EQ(c[2], s.CurrentPicture().Width()) << "phase " << c[0] << " direction " << c[1];
  }
  s.Phase = 3;
  EXPECT_EQ(&EmptyPicture, &s.CurrentPicture());
  s.Phase = 0;
  s.Direction = -1;
  EXPECT_EQ(&EmptyPicture, &s.CurrentPicture());
}

}  // namespace
