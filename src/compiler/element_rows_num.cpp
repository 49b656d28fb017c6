// Element table of the number elements.
#include "compiler/element_table.h"

#define F(f) EXEC_FN(Num, f)
const NamedParam Params291[] = {
    {293, KindText, 0},
    {292, KindText, 0},
};
const NamedParam Params345[] = {
    {303, KindNum, 16777215},  // graph_color
    {346, KindNum, 1},
};
const NamedParam Params417[] = {
    {418, KindNum, 0},
    {419, KindNum, 0},
    {420, KindNum, 0},
};
const NamedParam Params421[] = {
    {422, KindNum, 0},  // get_point_x
    {423, KindNum, 0},  // get_point_y
};
const NamedParam Params487[] = {
    {488, KindNum, 1601},
    {489, KindNum, 1},
    {490, KindNum, 1},
    {491, KindNum, 0},
    {492, KindNum, 0},
    {493, KindNum, 0},
    {494, KindNum, 0},
};

const ElementRow NumElementRows[] = {
    // Literals, constants, variables, calls and lists
    ROW_NUM_LITERAL(16),  // num
    ROW_CONST(17, 0),  // 0
    ROW_CONST(18, 1),  // 1
    ROW_CONST(19, 2),  // 2
    ROW_CONST(20, 3),  // 3
    ROW_CONST(21, 4),  // 4
    ROW_CONST(22, 5),  // 5
    ROW_CONST(23, 6),  // 6
    ROW_CONST(24, 7),  // 7
    ROW_CONST(25, 8),  // 8
    ROW_CONST(26, 9),  // 9
    ROW_READ(43, Num, ExecNumGlobal, ExecNumLocal, ExecNumGlobalListItem, ExecNumLocalListItem),  // real
    ROW_CALL(47),  // function
    ROW_CONST(98, Pi),
    ROW_CONST(105, EulerE),
    ROW_CONST(113, 0),
    ROW_CONST(114, Pi / 4),
    ROW_CONST(115, Pi / 2),
    ROW_CONST(116, ThreePiOver4),
    ROW_CONST(117, Pi),
    ROW_CONST(118, FivePiOver4),
    ROW_CONST(119, ThreePiOver2),
    ROW_CONST(120, SevenPiOver4),
    ROW_LIST_SIZE(255),  // list_size
    ROW_LIST_STATE(256, None, ExecNumListIndexGlobal, ExecNumListIndexLocal),  // list_index
    ROW_LIST_STATE(257, None, ExecNumListAutoGlobal, ExecNumListAutoLocal),  // list_auto
    ROW_COLOR(301),  // color
    ROW_CONST(349, 0),  // vk_nokey
    ROW_CONST(350, 92),
    ROW_CONST(351, 161),  // vk_shift_r
    ROW_CONST(352, 163),  // vk_ctrl_r
    ROW_CONST(353, 165),  // vk_alt_r
    ROW_NONE(397, ExecNumLanguage),  // language
    ROW_CONST(633, 2 * Pi),
    ROW_CONST(634, 0.03125),
    ROW_CONST(635, -1),  // -1
    ROW_CONST(737, 4294967295.0),
    // Arithmetic and functions
    ROW_LIST(39, ExecNumAdd, Num, ExecNumAdd),  // +
    ROW_LIST(40, ExecNumSub, Num, ExecNumNeg),  // -
    ROW_LIST(41, ExecNumMul, Num, ExecNumMul),  // *
    ROW_LIST(42, ExecNumDiv, Num, ExecNumReciprocal),  // /
    ROW_LIST(89, ExecNumMod, Num, ExecNumMod),  // mod
    ROW_OPERAND(90, ExecNumSin, Num),
    ROW_OPERAND(91, ExecNumCos, Num),
    ROW_OPERAND(92, ExecNumTan, Num),
    ROW_OPERAND(93, ExecNumCot, Num),
    ROW_OPERAND(94, ExecNumArcSin, Num),
    ROW_OPERAND(95, ExecNumArcCos, Num),
    ROW_OPERAND(96, ExecNumArcTan, Num),
    ROW_OPERAND(97, ExecNumArcCot, Num),
    ROW_OPERAND(99, ExecNumInteger, Num),  // integer
    ROW_OPERAND(100, ExecNumFraction, Num),
    ROW_OPERAND(101, ExecNumAbs, Num),  // abs
    ROW_OPERAND(102, ExecNumSqrt, Num),  // sqrt
    ROW_OPERAND(103, ExecNumFactorial, Num),
    ROW_OPTIONAL(104, ExecNumRandomRange, Num, ExecNumRandom),  // random
    ROW_OPERAND(106, ExecNumDegToRad, Num),
    ROW_OPERAND(107, ExecNumRadToDeg, Num),
    ROW_OPERAND(108, ExecNumLog10, Num),
    ROW_OPERAND(109, ExecNumLn, Num),
    ROW_OPERAND(110, ExecNumExp, Num),
    ROW_LIST(111, ExecNumPower, Num, ExecNumPower),
    ROW_OPERAND(424, ExecNumSqr, Num),  // sqr
    ROW_OPERAND(683, ExecNumInc, Num),  // inc
    ROW_OPERAND(684, ExecNumDec, Num),  // dec
    ROW_LIST(733, ExecNumBitAnd, Num, ExecNumBitAnd),  // bit_and
    ROW_LIST(734, ExecNumBitOr, Num, ExecNumBitOr),
    ROW_LIST(735, ExecNumBitXor, Num, ExecNumBitXor),
    ROW_OPERAND(736, ExecNumBitNot, Num),
    ROW_OPERAND(738, ExecNumRotateLeft, Num),
    ROW_OPERAND(739, ExecNumRotateRight, Num),
    // Texts
    ROW_OPERAND(284, ExecNumTextLength, Text),
    ROW_OPERAND(286, ExecNumTextValue, Text),
    ROW_NAMED(291, ExecNumTextFind, Params291),
    ROW_OPERAND(296, ExecNumTextCharCode, Text),
    ROW_OPERAND(380, ExecNumTextLineCount, Text),
    // Keyboard, mouse and joysticks
    ROW_NONE(125, ExecNumKeyVkey),  // key_vkey
    ROW_NONE(237, ExecNumMouseX),  // mouse_x
    ROW_NONE(238, ExecNumMouseY),  // mouse_y
    ROW_NONE(347, ExecNumWaitKey),
    ROW_OPTIONAL_CONST(585, ExecNumJoystickX, Num, 0),
    ROW_OPTIONAL_CONST(586, ExecNumJoystickY, Num, 0),
    ROW_OPTIONAL_CONST(587, ExecNumJoystickZ, Num, 0),
    // Sprites, maps, colours and pictures
    ROW_NONE(77, ExecNumSprite0Dir),
    ROW_NONE(78, ExecNumSprite0X),
    ROW_NONE(79, ExecNumSprite0Y),
    ROW_NONE(81, ExecNumSprite1Dir),
    ROW_NONE(82, ExecNumSprite1X),
    ROW_NONE(83, ExecNumSprite1Y),
    ROW_READ(250, Sprite, ExecNumSpriteXGlobal, ExecNumSpriteXLocal, ExecNumSpriteXGlobalListItem, ExecNumSpriteXLocalListItem),  // sprite_x
    ROW_READ(251, Sprite, ExecNumSpriteYGlobal, ExecNumSpriteYLocal, ExecNumSpriteYGlobalListItem, ExecNumSpriteYLocalListItem),  // sprite_y
    ROW_READ(252, Sprite, ExecNumSpriteDirGlobal, ExecNumSpriteDirLocal, ExecNumSpriteDirGlobalListItem, ExecNumSpriteDirLocalListItem),  // sprite_dir
    ROW_NONE(260, ExecNumSprite0CellValue1),
    ROW_NONE(261, ExecNumSprite1CellValue1),
    ROW_NONE(262, ExecNumSprite0CellValue2),
    ROW_NONE(263, ExecNumSprite1CellValue2),
    ROW_NONE(264, ExecNumSprite0CellValue3),
    ROW_NONE(265, ExecNumSprite1CellValue3),
    ROW_NAMED(345, ExecNumColorLevel, Params345),
    ROW_NAMED(417, ExecNumColorRGB, Params417),
    ROW_NAMED(421, ExecNumGetPoint, Params421),  // get_point
    ROW_OPTIONAL(549, ExecNumMapWidth, Map, ExecNumMainMapWidth),  // map_width
    ROW_OPTIONAL(550, ExecNumMapHeight, Map, ExecNumMainMapHeight),  // map_height
    ROW_NAMED(555, ExecNumMapCellValue1, MapCellParams),
    ROW_NAMED(556, ExecNumMapCellValue2, MapCellParams),
    ROW_NAMED(557, ExecNumMapCellValue3, MapCellParams),
    ROW_NONE(572, ExecNumSpriteClipLeft),
    ROW_NONE(573, ExecNumSpriteClipBottom),
    ROW_NONE(574, ExecNumSpriteClipRight),
    ROW_NONE(575, ExecNumSpriteClipTop),
    ROW_READ(636, Sprite, ExecNumSpritePhaseGlobal, ExecNumSpritePhaseLocal, ExecNumSpritePhaseGlobalListItem, ExecNumSpritePhaseLocalListItem),  // sprite_phase
    ROW_READ(637, Sprite, ExecNumSpriteStatusGlobal, ExecNumSpriteStatusLocal, ExecNumSpriteStatusGlobalListItem, ExecNumSpriteStatusLocalListItem),  // sprite_status
    ROW_OPERAND(687, ExecNumPictureWidth, Picture),  // picture_width
    ROW_OPERAND(688, ExecNumPictureHeight, Picture),  // picture_height
    // Program windows and controls
    ROW_NAMED(517, ExecNumMessageBox, MessageBoxParams),
    ROW_NONE(593, ExecNumWindowId),  // window_id
    ROW_NONE(595, ExecNumNewWindow),
    ROW_NONE(596, ExecNumWindowX),  // window_x
    ROW_NONE(597, ExecNumWindowY),  // window_y
    ROW_NONE(598, ExecNumWindowW),  // window_w
    ROW_NONE(599, ExecNumWindowH),  // window_h
    ROW_NONE(603, ExecNumNewButton),
    ROW_NONE(605, ExecNumNewCheckBox),
    ROW_NONE(606, ExecNumNewEdit),
    ROW_NONE(607, ExecNumNewRadioButton),
    ROW_NONE(609, ExecNumNewMemo),
    ROW_NONE(612, ExecNumFocusWindow),
    ROW_NONE(613, ExecNumNewDefaultButton),
    ROW_NONE(614, ExecNumNewIconButton),
    ROW_NONE(615, ExecNumNewGroupBox),
    ROW_NONE(616, ExecNumNewListBox),
    ROW_NONE(617, ExecNumNewStaticLeft),
    ROW_NONE(618, ExecNumNewComboList),
    ROW_NONE(619, ExecNumNewComboDrop),
    ROW_NONE(622, ExecNumNewRadioGroupStart),
    ROW_NONE(626, ExecNumNewComboEdit),
    ROW_NONE(627, ExecNumNewCheckBox3),
    ROW_NONE(629, ExecNumNewDialog),
    ROW_NONE(631, ExecNumNewIconBox),
    ROW_NONE(685, ExecNumNewStaticCenter),
    ROW_NONE(686, ExecNumEscWindow),
    ROW_NONE(699, ExecNumNewPictureBox),
    ROW_NONE(701, ExecNumNewRichEdit),
    ROW_NONE(702, ExecNumWindowFontHeight),
    ROW_NONE(707, ExecNumWindowFontWidth),
    ROW_NONE(708, ExecNumWindowFontAngle),
    ROW_NONE(709, ExecNumNewStaticRight),
    ROW_NONE(710, ExecNumWindowTextColor),
    ROW_NONE(711, ExecNumWindowBackColor),
    ROW_NONE(741, ExecNumWindowWInt),  // window_w_int
    ROW_NONE(742, ExecNumWindowHInt),  // window_h_int
    ROW_NONE(743, ExecNumCodePage),
    // Sound, music and CD audio
    ROW_NONE(415, ExecNumMusicPosition),
    ROW_NONE(416, ExecNumMusicLength),
    ROW_NONE(431, ExecNumCdLength),
    ROW_NONE(432, ExecNumCdTrackCount),
    ROW_NONE(433, ExecNumCdPosition),
    ROW_NONE(434, ExecNumCdTrack),
    ROW_NONE(435, ExecNumCdTrackLength),
    ROW_NONE(436, ExecNumCdTrackPosition),
    ROW_OPERAND(530, ExecNumSoundBits, Sound),
    ROW_OPERAND(531, ExecNumSoundRate, Sound),
    ROW_OPERAND(533, ExecNumSoundLength, Sound),
    ROW_NONE(640, ExecNumSoundPosition),
    // Files, disks, console, programs, return code, date and time
    ROW_NONE(245, ExecNumReturnCode),  // return_code
    ROW_NONE(444, ExecNumDiskSize),
    ROW_NONE(445, ExecNumDiskFree),
    ROW_NONE(447, ExecNumDiskSerial),
    ROW_NONE(462, ExecNumFileCreateTime),
    ROW_NONE(463, ExecNumFileAccessTime),
    ROW_NONE(464, ExecNumFileWriteTime),
    ROW_NONE(466, ExecNumFileReadInt8),
    ROW_NONE(467, ExecNumFileReadUInt8),
    ROW_NONE(468, ExecNumFileReadInt16),
    ROW_NONE(469, ExecNumFileReadUInt16),
    ROW_NONE(470, ExecNumFileReadInt32),
    ROW_NONE(471, ExecNumFileReadUInt32),
    ROW_NONE(472, ExecNumFileReadFloat),
    ROW_NONE(473, ExecNumFileReadDouble),
    ROW_NONE(481, ExecNumReadOffset),
    ROW_NONE(482, ExecNumWriteOffset),
    ROW_NONE(484, ExecNumNow),
    ROW_OPERAND(485, ExecNumLocalToUtc, Num),
    ROW_OPERAND(486, ExecNumUtcToLocal, Num),
    ROW_NAMED(487, ExecNumMakeDateTime, Params487),
    ROW_OPERAND(495, ExecNumYear, Num),
    ROW_OPERAND(496, ExecNumMonth, Num),
    ROW_OPERAND(497, ExecNumDay, Num),
    ROW_OPERAND(498, ExecNumWeekday, Num),
    ROW_OPERAND(499, ExecNumHour, Num),
    ROW_OPERAND(500, ExecNumMinute, Num),
    ROW_OPERAND(501, ExecNumSecond, Num),
    ROW_OPERAND(502, ExecNumMillisecond, Num),
    ROW_NONE(508, ExecNumFileSize),
    ROW_NONE(510, ExecNumFileTextLength),
    ROW_NONE(511, ExecNumDriveType),
    ROW_NONE(514, ExecNumFileReadInt24),
    ROW_NONE(515, ExecNumFileReadUInt24),
    ROW_OPERAND(583, ExecNumRunProgramWait, Text),
};
const ElementTable NumElementTable = {NumElementRows, sizeof NumElementRows / sizeof NumElementRows[0]};
#undef F
