// Element table of the logic elements.
#include "compiler/element_table.h"

#define F(f) EXEC_FN(Bool, f)
const NamedParam Params362[] = {
    {363, KindNum, 0},  // mouse_region_x
    {364, KindNum, 0},  // mouse_region_y
    {365, KindNum, 2000000},  // mouse_region_w
    {366, KindNum, 2000000},  // mouse_region_h
};

const ElementRow BoolElementRows[] = {
    // Comparisons, operators, constants, variables and calls
    ROW_LIST(29, ExecBoolEqual, Num, ExecBoolEqualZero),  // =
    ROW_LIST(30, ExecBoolNotEqual, Num, ExecBoolNotZero),  // <>
    ROW_LIST(31, ExecBoolGreaterEqual, Num, ExecBoolNotNegative),
    ROW_LIST(32, ExecBoolLessEqual, Num, ExecBoolNotPositive),  // <=
    ROW_LIST(33, ExecBoolGreater, Num, ExecBoolPositive),  // >
    ROW_LIST(34, ExecBoolLess, Num, ExecBoolNegative),  // <
    ROW_LIST(35, ExecBoolAnd, Bool, ExecPassThrough),  // and
    ROW_LIST(36, ExecBoolOr, Bool, ExecPassThrough),  // or
    ROW_LIST(37, ExecBoolXor, Bool, ExecPassThrough),
    ROW_OPERAND(38, ExecBoolNot, Bool),  // not
    ROW_CALL(47),  // function
    ROW_READ(63, Bool, ExecBoolGlobal, ExecBoolLocal, ExecBoolGlobalListItem, ExecBoolLocalListItem),  // logic
    ROW_NONE(65, ExecBoolTrue),  // true
    ROW_NONE(66, ExecBoolFalse),  // false
    ROW_LIST(239, ExecBoolTextEqual, Text, ExecBoolTextEmpty),
    ROW_LIST(240, ExecBoolIconEqual, Icon, ExecBoolIconEmpty),
    ROW_LIST(288, ExecBoolTextGreater, Text, ExecBoolTextNotEmpty),
    ROW_LIST(643, ExecBoolMapEqual, Map, ExecBoolMapEmpty),
    ROW_LIST(644, ExecBoolPictureEqual, Picture, ExecBoolPictureEmpty),
    ROW_LIST(645, ExecBoolSpriteEqual, Sprite, ExecBoolSpriteEmpty),
    ROW_LIST(646, ExecBoolSoundEqual, Sound, ExecBoolSoundEmpty),
    ROW_LIST(647, ExecBoolMusicEqual, Music, ExecBoolMusicEmpty),
    // Keyboard, mouse and joysticks
    ROW_OPERAND(124, ExecBoolKeyDown, Num),
    ROW_NONE(235, ExecBoolMouseL),  // mouse_l
    ROW_NONE(236, ExecBoolMouseR),
    ROW_NONE(354, ExecBoolNumLock),
    ROW_NONE(355, ExecBoolCapsLock),
    ROW_NONE(356, ExecBoolScrollLock),
    ROW_NONE(357, ExecBoolInsert),
    ROW_NONE(358, ExecBoolMouseLClick),  // mouse_l_click
    ROW_NONE(359, ExecBoolMouseRClick),  // mouse_r_click
    ROW_NONE(360, ExecBoolMouseLDoubleClick),
    ROW_NONE(361, ExecBoolMouseRDoubleClick),
    ROW_NAMED(362, ExecBoolMouseRegion, Params362),  // mouse_region
    ROW_OPTIONAL_CONST(588, ExecBoolJoystickButton1, Num, 0),
    ROW_OPTIONAL_CONST(589, ExecBoolJoystickButton2, Num, 0),
    ROW_OPTIONAL_CONST(590, ExecBoolJoystickButton3, Num, 0),
    ROW_OPTIONAL_CONST(591, ExecBoolJoystickButton4, Num, 0),
    ROW_OPERAND(740, ExecBoolMouseOverWindow, Num),
    // Sprites and map cells
    ROW_NONE(72, ExecBoolSprite0Visible),  // quick
    ROW_NONE(74, ExecBoolSprite1Visible),
    ROW_READ(253, Sprite, ExecBoolSpriteMovingGlobal, ExecBoolSpriteMovingLocal, ExecBoolSpriteMovingGlobalListItem, ExecBoolSpriteMovingLocalListItem),  // sprite_move
    ROW_READ(254, Sprite, ExecBoolSpriteVisibleGlobal, ExecBoolSpriteVisibleLocal, ExecBoolSpriteVisibleGlobalListItem, ExecBoolSpriteVisibleLocalListItem),  // sprite_vis
    ROW_NONE(266, ExecBoolSprite0CellFlag1),
    ROW_NONE(267, ExecBoolSprite1CellFlag1),
    ROW_NONE(268, ExecBoolSprite0CellFlag2),
    ROW_NONE(269, ExecBoolSprite1CellFlag2),
    ROW_NONE(270, ExecBoolSprite0CellFlag3),
    ROW_NONE(271, ExecBoolSprite1CellFlag3),
    ROW_NONE(272, ExecBoolSprite0CellFlag4),
    ROW_NONE(273, ExecBoolSprite1CellFlag4),
    ROW_NONE(274, ExecBoolSprite0CellFlag5),
    ROW_NONE(275, ExecBoolSprite1CellFlag5),
    ROW_NAMED(558, ExecBoolMapCellFlag1, MapCellParams),
    ROW_NAMED(559, ExecBoolMapCellFlag2, MapCellParams),
    ROW_NAMED(560, ExecBoolMapCellFlag3, MapCellParams),
    ROW_NAMED(561, ExecBoolMapCellFlag4, MapCellParams),
    ROW_NAMED(562, ExecBoolMapCellFlag5, MapCellParams),
    // Program windows and controls
    ROW_NONE(242, ExecBoolWindowFrame),  // window_frame
    ROW_NONE(243, ExecBoolWindowCaption),  // window_caption
    ROW_NONE(601, ExecBoolWindowVisible),
    ROW_NONE(602, ExecBoolWindowDisabled),
    ROW_NONE(604, ExecBoolWindowClicked),
    ROW_NONE(611, ExecBoolWindowCheck),
    ROW_NONE(620, ExecBoolWindowBold),
    ROW_NONE(621, ExecBoolWindowFixed),
    ROW_NONE(628, ExecBoolWindowCheck3),
    ROW_NONE(638, ExecBoolFullScreen),
    ROW_NONE(703, ExecBoolWindowItalic),
    ROW_NONE(704, ExecBoolWindowUnderline),
    ROW_NONE(705, ExecBoolWindowStrikeout),
    ROW_NONE(706, ExecBoolWindowSerif),
    ROW_NONE(749, ExecBoolWindowTop),  // window_top
    // Sound, music and CD audio
    ROW_OPTIONAL(383, ExecBoolSoundPlayingThis, Sound, ExecBoolSoundPlaying),
    ROW_NONE(413, ExecBoolMusicPaused),
    ROW_NONE(414, ExecBoolMusicPlaying),
    ROW_NONE(429, ExecBoolCdPaused),
    ROW_NONE(430, ExecBoolCdPlaying),
    ROW_NONE(529, ExecBoolCdEjected),
    ROW_OPERAND(532, ExecBoolSoundStereo, Sound),
    ROW_NONE(641, ExecBoolSoundPaused),
    // Files and console
    ROW_OPERAND(439, ExecBoolFileCreate, Text),
    ROW_OPERAND(440, ExecBoolDirCreate, Text),
    ROW_OPERAND(441, ExecBoolFileDelete, Text),
    ROW_OPERAND(442, ExecBoolFileExists, Text),
    ROW_NONE(450, ExecBoolFileCopy),
    ROW_NONE(451, ExecBoolFileMove),
    ROW_NONE(454, ExecBoolFileReadOnly),
    ROW_NONE(455, ExecBoolFileHidden),
    ROW_NONE(456, ExecBoolFileSystem),
    ROW_NONE(457, ExecBoolFileDirectory),
    ROW_NONE(458, ExecBoolFileArchive),
    ROW_NONE(459, ExecBoolFileTemporary),
    ROW_NONE(460, ExecBoolFileCompressed),
    ROW_NONE(461, ExecBoolFileOffline),
    ROW_NONE(509, ExecBoolFileError),
    ROW_NONE(576, ExecBoolConsoleMode),
    ROW_NONE(729, ExecBoolFileUnicode),
};
const ElementTable BoolElementTable = {BoolElementRows, sizeof BoolElementRows / sizeof BoolElementRows[0]};
#undef F
