// Loading assembled test programs in-process for the unit tests: the value
// lists emptied, the image kept alive for the records that point into it,
// the checker's verdict taken first so a bad image never reaches the exit.
#pragma once
#include "exec/constants.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "audio/mixer.h"
#include "base/value_lists.h"
#include "graphics/sprite_engine.h"
#include "image/image_check.h"
#include "image/image_loader.h"
#include "image/item_links.h"
#include "lib/program_asm.h"
#include "media_setup.h"
#include "base/language.h"
#include "startup/runtime.h"
#include "values/music.h"
#include "values/sound.h"

// Empties every value list, so tests of the lists themselves find them empty.
inline void ResetImageLists() {
  static bool made;
  if (!made) {
    made = true;
    if (!EmptyText.Data) InitEmptyText();
    if (!NewLineText.Data) InitNewLineText();
    SetUpMediaValues();
    if (!EmptySound.Data) InitEmptySound();
    if (!EmptyMusic.Data) InitEmptyMusic();
    if (!CurrentSound.Data) InitMixer();
  }
  ResetProgramImage();
  // The sprite engine's lists name sprites of the lists just emptied.
  ResetSpriteEngine();
}

// Loads an image the checker accepted, as start-up does. Loaded records point
// into the image, so it is kept; an image loaded with keep false takes the
// place of the previous such image once the lists no longer hold its values.
inline void LoadAcceptedImage(const std::vector<uint8_t>& image, bool keep = true) {
  static std::vector<std::vector<uint8_t>>* kept = new std::vector<std::vector<uint8_t>>;
  static std::vector<uint8_t>* scratch = new std::vector<uint8_t>;
  ResetImageLists();
  std::vector<uint8_t>* slot = scratch;
  if (keep) {
    kept->push_back(image);
    slot = &kept->back();
  } else {
    *scratch = image;
  }
  ProgramImage = slot->data();
  ProgramImageSize = (int32_t)slot->size();
  ImageTextsTransformed = (uint8_t)CheckImageMagic(ProgramImage, ProgramImageSize);
  LoadProgramImage();
}

// Loads image; false (and a test failure) when the checker refuses it.
inline bool LoadTestImage(const std::vector<uint8_t>& image) {
  ImageVerdict v = CheckProgramImage(image.data(), (uint32_t)image.size());
  EXPECT_EQ(ImageGood, v.Fault) << ImageFaultName(v.Fault) << " in table " << v.Table
                                << " record " << v.Record;
  if (v.Fault != ImageGood) return false;
  LoadAcceptedImage(image);
  return true;
}

inline std::vector<uint8_t> AssembleForTest(const std::string& source) {
  std::string error;
  std::vector<uint8_t> image = AssembleOrEmpty(source, &error);
  EXPECT_TRUE(error.empty()) << error;
  return image;
}

// Assembles and loads a program in the current language.
inline bool LoadTestProgram(const std::string& source) {
  std::vector<uint8_t> image = AssembleForTest(source);
  return !image.empty() && LoadTestImage(image);
}
