// Element table of the text, icon, picture, map, sprite, sound and music elements.
#include "compiler/element_table.h"

// Texts
#define F(f) EXEC_FN(Text, f)
const NamedParam Params277[] = {
    {278, KindNum, 1},
    {292, KindText, 0},
};
const NamedParam Params279[] = {
    {280, KindNum, 0},
    {292, KindText, 0},
};
const NamedParam Params281[] = {
    {282, KindNum, 0},
    {283, KindNum, 1},
    {292, KindText, 0},
};
const NamedParam Params381[] = {
    {382, KindNum, 0},
    {292, KindText, 0},
};
const NamedParam Params524[] = {
    {519, KindText, 0},
    {525, KindText, 0},
    {526, KindText, 0},
    {527, KindText, 0},
    {528, KindText, 0},
};
const NamedParam Params715[] = {
    {519, KindText, 0},
    {721, KindText, 0},
    {719, KindText, 0},
    {720, KindText, 0},
};

const ElementRow TextElementRows[] = {
    ROW_CALL(47),  // function
    ROW_READ(51, Text, ExecTextGlobal, ExecTextLocal, ExecTextGlobalListItem, ExecTextLocalListItem),
    ROW_TEXT_CONST(64),  // text_const
    ROW_NONE(126, ExecTextKeyChar),
    ROW_NONE(244, ExecTextCommandLine),  // command_line
    ROW_NAMED(277, ExecTextLeft, Params277),
    ROW_NAMED(279, ExecTextFromIndex, Params279),
    ROW_NAMED(281, ExecTextMid, Params281),
    ROW_LIST(285, ExecTextJoin, Text, ExecPassThrough),
    ROW_OPERAND(287, ExecTextFromNumber, Num),
    ROW_OPERAND(289, ExecTextLowerCase, Text),
    ROW_OPERAND(290, ExecTextUpperCase, Text),
    ROW_NONE(294, ExecTextStatusText),
    ROW_NONE(295, ExecTextCaption),  // caption
    ROW_OPERAND(297, ExecTextChar, Num),
    ROW_NONE(348, ExecTextWaitChar),
    ROW_NAMED(381, ExecTextLine, Params381),
    ROW_NONE(443, ExecTextCurrentDir),
    ROW_NONE(446, ExecTextVolumeLabel),
    ROW_NONE(448, ExecTextReadFileName),
    ROW_NONE(449, ExecTextWriteFileName),
    ROW_NONE(474, ExecTextFileReadNul),
    ROW_NONE(475, ExecTextFileReadLine),
    ROW_NONE(476, ExecTextFileReadFixed),
    ROW_OPERAND(503, ExecTextDateDotted, Num),
    ROW_OPERAND(504, ExecTextDateSlashed, Num),
    ROW_OPERAND(505, ExecTextDateIso, Num),
    ROW_OPERAND(506, ExecTextTime24, Num),
    ROW_OPERAND(507, ExecTextTime12, Num),
    ROW_OPERAND(512, ExecTextTwoDigits, Num),
    ROW_OPERAND(513, ExecTextHex, Num),
    ROW_NONE(523, ExecTextNewLine),
    ROW_NAMED(524, ExecTextInputDialog, Params524),
    ROW_NONE(578, ExecTextConsoleIn),
    ROW_OPERAND(580, ExecTextCommandWord, Num),
    ROW_NONE(581, ExecTextModulePath),
    ROW_NONE(600, ExecTextWindowText),
    ROW_OPTIONAL(642, ExecTextFileList, Text, ExecTextFileListAll),
    ROW_NAMED(715, ExecTextOpenDialog, Params715),
    ROW_NAMED(716, ExecTextSaveDialog, Params715),
    ROW_NONE(717, ExecTextEmpty),
    ROW_NONE(718, ExecTextEmpty),
    ROW_NONE(744, ExecTextFontName),
    ROW_NONE(745, ExecTextFontList),
    ROW_NONE(751, ExecTextFileAlias),
};
const ElementTable TextElementTable = {TextElementRows, sizeof TextElementRows / sizeof TextElementRows[0]};
#undef F

// Icons
#define F(f) EXEC_FN(Icon, f)
const NamedParam Params396[] = {
    {391, KindNum, 0},  // background_block_x
    {392, KindNum, 0},  // background_block_y
};

const ElementRow IconElementRows[] = {
    ROW_READ(0, Icon, ExecIconGlobal, ExecIconLocal, ExecIconGlobalListItem, ExecIconLocalListItem),  // read like 44
    ROW_READ(44, Icon, ExecIconGlobal, ExecIconLocal, ExecIconGlobalListItem, ExecIconLocalListItem),  // picture
    ROW_CALL(47),  // function
    ROW_NONE(76, ExecIconAheadOfSprite0),
    ROW_NONE(80, ExecIconAheadOfSprite1),
    ROW_NONE(249, ExecIconEmpty),
    ROW_NONE(385, ExecIconUnderSprite0),
    ROW_NONE(386, ExecIconUnderSprite1),
    ROW_NAMED(396, ExecIconBackgroundGet, Params396),
    ROW_NONE(477, ExecIconFileRead),
    ROW_NAMED(554, ExecIconMapCell, MapCellParams),
    ROW_NONE(630, ExecIconWindowIcon),
};
const ElementTable IconElementTable = {IconElementRows, sizeof IconElementRows / sizeof IconElementRows[0]};
#undef F

// Pictures
#define F(f) EXEC_FN(Picture, f)
const NamedParam Params395[] = {
    {391, KindNum, 0},  // background_block_x
    {392, KindNum, 0},  // background_block_y
    {393, KindNum, 2000000},  // background_block_w
    {394, KindNum, 2000000},  // background_block_h
};
const NamedParam Params692[] = {
    {693, KindPicture, 0},
    {694, KindNum, 2000000},
    {695, KindNum, 2000000},
    {696, KindBool, 0},
    {697, KindBool, 1},
};
const NamedParam Params722[] = {
    {723, KindPicture, 0},
    {724, KindNum, 1},
    {697, KindBool, 0},
};
const NamedParam Params725[] = {
    {726, KindPicture, 0},
    {727, KindNum, 0},
    {696, KindBool, 0},
    {697, KindBool, 1},
};
const NamedParam Params765[] = {
    {766, KindPicture, 0},
    {767, KindPicture, 0},
};

const ElementRow PictureElementRows[] = {
    ROW_CALL(47),  // function
    ROW_READ(246, Picture, ExecPictureGlobal, ExecPictureLocal, ExecPictureGlobalListItem, ExecPictureLocalListItem),  // background
    ROW_NAMED(395, ExecPictureBackgroundGet, Params395),  // background_get
    ROW_NONE(478, ExecPictureFileRead),
    ROW_OPERAND(689, ExecPictureMirrorX, Picture),
    ROW_OPERAND(690, ExecPictureMirrorY, Picture),
    ROW_NAMED(692, ExecPictureResize, Params692),
    ROW_NONE(700, ExecPictureWindowPicture),
    ROW_NAMED(722, ExecPictureScaleColors, Params722),
    ROW_NAMED(725, ExecPictureRotate, Params725),
    ROW_OPERAND(730, ExecPictureFromMap, Map),
    ROW_OPERAND(731, ExecPictureFromIcon, Icon),
    ROW_NAMED(765, ExecPictureMask, Params765),
};
const ElementTable PictureElementTable = {PictureElementRows, sizeof PictureElementRows / sizeof PictureElementRows[0]};
#undef F

// Maps
#define F(f) EXEC_FN(Map, f)
const NamedParam Params563[] = {
    {553, KindMap, 0},
    {551, KindNum, 0},
    {552, KindNum, 0},
    {564, KindMap, 0},
    {565, KindNum, 0},
    {566, KindNum, 0},
    {567, KindNum, 2000000},
    {568, KindNum, 2000000},
};
const NamedParam Params746[] = {
    {747, KindNum, 0},  // map_new_w
    {748, KindNum, 0},  // map_new_h
};

const ElementRow MapElementRows[] = {
    ROW_CALL(47),  // function
    ROW_READ(48, Map, ExecMapGlobal, ExecMapLocal, ExecMapGlobalListItem, ExecMapLocalListItem),  // map
    ROW_NAMED(563, ExecMapPasteBlock, Params563),
    ROW_NAMED(746, ExecMapNew, Params746),  // map_new
};
const ElementTable MapElementTable = {MapElementRows, sizeof MapElementRows / sizeof MapElementRows[0]};
#undef F

// Sprites
#define F(f) EXEC_FN(Sprite, f)
const ElementRow SpriteElementRows[] = {
    ROW_CALL(47),  // function
    ROW_READ(49, Sprite, ExecSpriteGlobal, ExecSpriteLocal, ExecSpriteGlobalListItem, ExecSpriteLocalListItem),  // sprite
    ROW_NONE(632, ExecSpriteFileRead),
};
const ElementTable SpriteElementTable = {SpriteElementRows, sizeof SpriteElementRows / sizeof SpriteElementRows[0]};
#undef F

// Sounds
#define F(f) EXEC_FN(Sound, f)
const NamedParam Params542[] = {
    {543, KindSound, 0},
    {544, KindNum, 1},
};
const NamedParam Params545[] = {
    {546, KindNum, 1000},
    {547, KindNum, 1},
};

const ElementRow SoundElementRows[] = {
    ROW_READ(45, Sound, ExecSoundGlobal, ExecSoundLocal, ExecSoundGlobalListItem, ExecSoundLocalListItem),  // sound
    ROW_CALL(47),  // function
    ROW_NONE(479, ExecSoundFileRead),
    ROW_OPERAND(534, ExecSoundTo8Bit, Sound),
    ROW_OPERAND(535, ExecSoundTo16Bit, Sound),
    ROW_OPERAND(536, ExecSoundToStereo, Sound),
    ROW_OPERAND(537, ExecSoundToMono, Sound),
    ROW_OPERAND(538, ExecSoundRate11025, Sound),
    ROW_OPERAND(539, ExecSoundRate22050, Sound),
    ROW_OPERAND(540, ExecSoundRate44100, Sound),
    ROW_LIST(541, ExecSoundJoin, Sound, ExecPassThrough),
    ROW_NAMED(542, ExecSoundSpeed, Params542),
    ROW_NAMED(545, ExecSoundTone, Params545),
    ROW_OPERAND(714, ExecSoundDistinct, Sound),
    ROW_OPERAND(728, ExecSoundToPcm, Sound),  // sound_conv_pcm
};
const ElementTable SoundElementTable = {SoundElementRows, sizeof SoundElementRows / sizeof SoundElementRows[0]};
#undef F

// Music
#define F(f) EXEC_FN(Music, f)
const ElementRow MusicElementRows[] = {
    ROW_READ(46, Music, ExecMusicGlobal, ExecMusicLocal, ExecMusicGlobalListItem, ExecMusicLocalListItem),
    ROW_CALL(47),  // function
    ROW_NONE(480, ExecMusicFileRead),
};
const ElementTable MusicElementTable = {MusicElementRows, sizeof MusicElementRows / sizeof MusicElementRows[0]};
#undef F
