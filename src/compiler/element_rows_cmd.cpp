// Element table of the commands.
#include "compiler/element_table.h"

#define F(f) EXEC_FN(Cmd, f)
const NamedParam Params2[] = {
    {3, KindBool, 1},  // if_cond
    {4, KindCommands, 0},  // then
    {5, KindCommands, 0},  // else
};
const NamedParam Params6[] = {
    {7, KindBool, 0},  // while_cond
    {8, KindCommands, 0},  // while_body
};
const NamedParam Params247[] = {
    {248, KindNum, 0},  // repeat_num
    {8, KindCommands, 0},  // while_body
};
const NamedParam Params404[] = {
    {405, KindIcon, 0},  // mouse_cursor_pic
    {406, KindNum, 0},  // mouse_cursor_x
    {407, KindNum, 0},  // mouse_cursor_y
    {408, KindNum, 2000000},  // mouse_cursor_w
    {409, KindNum, 2000000},  // mouse_cursor_h
};
const NamedParam Params305[] = {
    {303, KindNum, 16777215},  // graph_color
    {304, KindNum, 1},  // graph_width
    {306, KindNum, 0},  // point_x
    {307, KindNum, 0},  // point_y
};
const NamedParam Params308[] = {
    {303, KindNum, 16777215},  // graph_color
    {304, KindNum, 1},  // graph_width
    {309, KindNum, 0},  // line_x1
    {310, KindNum, 0},  // line_y1
    {311, KindNum, 1},  // line_x2
    {312, KindNum, 1},  // line_y2
};
const NamedParam Params313[] = {
    {303, KindNum, 16777215},  // graph_color
    {304, KindNum, 1},  // graph_width
    {314, KindNum, 0},
    {315, KindNum, 0},
    {316, KindNum, 1},
    {317, KindNum, 1},
};
const NamedParam Params318[] = {
    {303, KindNum, 16777215},  // graph_color
    {319, KindNum, 0},  // box_fill_x1
    {320, KindNum, 0},  // box_fill_y1
    {321, KindNum, 2000000},  // box_fill_x2
    {322, KindNum, 2000000},  // box_fill_y2
};
const NamedParam Params323[] = {
    {303, KindNum, 16777215},  // graph_color
    {324, KindNum, 0},  // fill_x
    {325, KindNum, 0},  // fill_y
};
const NamedParam Params326[] = {
    {303, KindNum, 16777215},  // graph_color
    {304, KindNum, 1},  // graph_width
    {327, KindNum, 1},
    {328, KindNum, 1},
    {329, KindNum, 1},
};
const NamedParam Params330[] = {
    {303, KindNum, 16777215},  // graph_color
    {331, KindNum, 1},
    {332, KindNum, 1},
    {333, KindNum, 1},
};
const NamedParam Params334[] = {
    {303, KindNum, 16777215},  // graph_color
    {335, KindNum, 0},
    {336, KindNum, 0},
    {337, KindNum, 1},
    {338, KindNum, 0},
    {339, KindNum, 0},
    {340, KindNum, 1},
};
const NamedParam Params341[] = {
    {303, KindNum, 16777215},  // graph_color
    {342, KindNum, 1},
    {343, KindNum, 1},
    {344, KindNum, 1},
};
const NamedParam Params367[] = {
    {379, KindText, 0},  // textout_text
    {303, KindNum, 16777215},  // graph_color
    {368, KindNum, 0},  // textout_x
    {369, KindNum, 0},  // textout_y
    {370, KindNum, 0},  // textout_angle
    {371, KindNum, 0},  // textout_h
    {372, KindNum, 0},  // textout_w
    {373, KindBool, 0},  // textout_bold
    {374, KindBool, 0},  // textout_italic
    {375, KindBool, 0},  // textout_underline
    {376, KindBool, 0},  // textout_strikeout
    {377, KindBool, 0},  // textout_serif
    {378, KindBool, 0},  // textout_courier
};
const NamedParam Params387[] = {
    {388, KindPicture, 0},  // background_back
    {389, KindNum, 0},  // background_x
    {390, KindNum, 0},  // background_y
    {391, KindNum, 0},  // background_block_x
    {392, KindNum, 0},  // background_block_y
    {393, KindNum, 2000000},  // background_block_w
    {394, KindNum, 2000000},  // background_block_h
};
const NamedParam Params299[] = {
    {398, KindSound, 0},  // sound_play_sound
    {399, KindNum, 1},  // sound_play_volume
    {400, KindNum, 0},  // sound_play_balance
    {713, KindNum, 1},  // sound_play_speed
    {384, KindNum, 1},  // sound_play_loop
    {401, KindBool, 1},  // sound_play_stop
};

const ElementRow CmdElementRows[] = {
    // Control flow, calls, language and assignment
    ROW_NAMED(2, ExecCmdIf, Params2),  // if
    ROW_NAMED(6, ExecCmdWhile, Params6),  // while
    ROW_NONE(9, ExecCmdBreak),  // break
    ROW_CASE(11),  // case
    ROW_ASSIGN(43, Num, Num, ExecCmdSetNumGlobal, ExecCmdSetNumLocal, ExecCmdSetNumGlobalListItem, ExecCmdSetNumLocalListItem),  // real
    ROW_ASSIGN(44, Icon, Icon, ExecCmdSetIconGlobal, ExecCmdSetIconLocal, ExecCmdSetIconGlobalListItem, ExecCmdSetIconLocalListItem),  // picture
    ROW_ASSIGN(45, Sound, Sound, ExecCmdSetSoundGlobal, ExecCmdSetSoundLocal, ExecCmdSetSoundGlobalListItem, ExecCmdSetSoundLocalListItem),  // sound
    ROW_ASSIGN(46, Music, Music, ExecCmdSetMusicGlobal, ExecCmdSetMusicLocal, ExecCmdSetMusicGlobalListItem, ExecCmdSetMusicLocalListItem),
    ROW_CALL(47),  // function
    ROW_ASSIGN(48, Map, Map, ExecCmdSetMapGlobal, ExecCmdSetMapLocal, ExecCmdSetMapGlobalListItem, ExecCmdSetMapLocalListItem),  // map
    ROW_ASSIGN(49, Sprite, Sprite, ExecCmdSetSpriteGlobal, ExecCmdSetSpriteLocal, ExecCmdSetSpriteGlobalListItem, ExecCmdSetSpriteLocalListItem),  // sprite
    ROW_ASSIGN(51, Text, Text, ExecCmdSetTextGlobal, ExecCmdSetTextLocal, ExecCmdSetTextGlobalListItem, ExecCmdSetTextLocalListItem),
    ROW_ASSIGN(63, Bool, Bool, ExecCmdSetBoolGlobal, ExecCmdSetBoolLocal, ExecCmdSetBoolGlobalListItem, ExecCmdSetBoolLocalListItem),  // logic
    ROW_NONE(73, ExecCmdReturn),  // exit
    ROW_OPTIONAL(122, ExecCmdWaitSeconds, Num, ExecCmdWaitTick),  // wait
    ROW_ASSIGN(246, Picture, Picture, ExecCmdSetPictureGlobal, ExecCmdSetPictureLocal, ExecCmdSetPictureGlobalListItem, ExecCmdSetPictureLocalListItem),  // background
    ROW_NAMED(247, ExecCmdRepeat, Params247),  // repeat
    ROW_ASSIGN(250, Sprite, Num, ExecCmdSetSpriteXGlobal, ExecCmdSetSpriteXLocal, ExecCmdSetSpriteXGlobalListItem, ExecCmdSetSpriteXLocalListItem),  // sprite_x
    ROW_ASSIGN(251, Sprite, Num, ExecCmdSetSpriteYGlobal, ExecCmdSetSpriteYLocal, ExecCmdSetSpriteYGlobalListItem, ExecCmdSetSpriteYLocalListItem),  // sprite_y
    ROW_ASSIGN(252, Sprite, Num, ExecCmdSetSpriteDirGlobal, ExecCmdSetSpriteDirLocal, ExecCmdSetSpriteDirGlobalListItem, ExecCmdSetSpriteDirLocalListItem),  // sprite_dir
    ROW_ASSIGN(254, Sprite, Bool, ExecCmdSetSpriteVisibleGlobal, ExecCmdSetSpriteVisibleLocal, ExecCmdSetSpriteVisibleGlobalListItem, ExecCmdSetSpriteVisibleLocalListItem),  // sprite_vis
    ROW_LIST_STATE(256, Num, ExecCmdSetListIndexGlobal, ExecCmdSetListIndexLocal),  // list_index
    ROW_LIST_STATE(257, Num, ExecCmdSetListAutoGlobal, ExecCmdSetListAutoLocal),  // list_auto
    ROW_OPERAND(397, ExecCmdLanguage, Num),  // language
    ROW_ASSIGN(636, Sprite, Num, ExecCmdSetSpritePhaseGlobal, ExecCmdSetSpritePhaseLocal, ExecCmdSetSpritePhaseGlobalListItem, ExecCmdSetSpritePhaseLocalListItem),  // sprite_phase
    ROW_ASSIGN(637, Sprite, Num, ExecCmdSetSpriteStatusGlobal, ExecCmdSetSpriteStatusLocal, ExecCmdSetSpriteStatusGlobalListItem, ExecCmdSetSpriteStatusLocalListItem),  // sprite_status
    // Main window, keyboard and mouse
    ROW_OPERAND(294, ExecCmdStatusText, Text),
    ROW_OPERAND(295, ExecCmdCaption, Text),  // caption
    ROW_NONE(347, ExecCmdWaitKey),
    ROW_NONE(348, ExecCmdWaitChar),
    ROW_OPERAND(354, ExecCmdSetNumLock, Bool),
    ROW_OPERAND(355, ExecCmdSetCapsLock, Bool),
    ROW_OPERAND(356, ExecCmdSetScrollLock, Bool),
    ROW_OPERAND(357, ExecCmdSetInsert, Bool),
    ROW_NAMED(404, ExecCmdMouseCursor, Params404),  // mouse_cursor
    ROW_NONE(639, ExecCmdFlushKeys),
    // Sprites, map cells, drawing and text output
    ROW_NONE(58, ExecCmdSprite0Step),
    ROW_NONE(59, ExecCmdSprite0TurnLeft),
    ROW_NONE(60, ExecCmdSprite0TurnRight),
    ROW_NONE(61, ExecCmdSprite0TurnBack),
    ROW_NONE(68, ExecCmdSprite1Step),
    ROW_NONE(69, ExecCmdSprite1TurnLeft),
    ROW_NONE(70, ExecCmdSprite1TurnRight),
    ROW_NONE(71, ExecCmdSprite1TurnBack),
    ROW_OPERAND(72, ExecCmdSprite0Visible, Bool),  // quick
    ROW_OPERAND(74, ExecCmdSprite1Visible, Bool),
    ROW_OPERAND(76, ExecCmdSprite0SetIconAhead, Icon),
    ROW_OPERAND(77, ExecCmdSprite0SetDir, Num),
    ROW_OPERAND(78, ExecCmdSprite0SetX, Num),
    ROW_OPERAND(79, ExecCmdSprite0SetY, Num),
    ROW_OPERAND(80, ExecCmdSprite1SetIconAhead, Icon),
    ROW_OPERAND(81, ExecCmdSprite1SetDir, Num),
    ROW_OPERAND(82, ExecCmdSprite1SetX, Num),
    ROW_OPERAND(83, ExecCmdSprite1SetY, Num),
    ROW_NONE(133, ExecCmdTransparent),  // transparent
    ROW_OPERAND(260, ExecCmdSprite0CellValue1, Num),
    ROW_OPERAND(261, ExecCmdSprite1CellValue1, Num),
    ROW_OPERAND(262, ExecCmdSprite0CellValue2, Num),
    ROW_OPERAND(263, ExecCmdSprite1CellValue2, Num),
    ROW_OPERAND(264, ExecCmdSprite0CellValue3, Num),
    ROW_OPERAND(265, ExecCmdSprite1CellValue3, Num),
    ROW_OPERAND(266, ExecCmdSprite0CellFlag1, Bool),
    ROW_OPERAND(267, ExecCmdSprite1CellFlag1, Bool),
    ROW_OPERAND(268, ExecCmdSprite0CellFlag2, Bool),
    ROW_OPERAND(269, ExecCmdSprite1CellFlag2, Bool),
    ROW_OPERAND(270, ExecCmdSprite0CellFlag3, Bool),
    ROW_OPERAND(271, ExecCmdSprite1CellFlag3, Bool),
    ROW_OPERAND(272, ExecCmdSprite0CellFlag4, Bool),
    ROW_OPERAND(273, ExecCmdSprite1CellFlag4, Bool),
    ROW_OPERAND(274, ExecCmdSprite0CellFlag5, Bool),
    ROW_OPERAND(275, ExecCmdSprite1CellFlag5, Bool),
    ROW_NAMED(305, ExecCmdPoint, Params305),  // point
    ROW_NAMED(308, ExecCmdLine, Params308),  // line
    ROW_NAMED(313, ExecCmdBox, Params313),
    ROW_NAMED(318, ExecCmdBoxFill, Params318),  // box_fill
    ROW_NAMED(323, ExecCmdFill, Params323),  // fill
    ROW_NAMED(326, ExecCmdCircle, Params326),
    ROW_NAMED(330, ExecCmdCircleFill, Params330),
    ROW_NAMED(334, ExecCmdTriangleFill, Params334),
    ROW_NAMED(341, ExecCmdSphere, Params341),
    ROW_NAMED(367, ExecCmdTextout, Params367),  // textout
    ROW_OPERAND(385, ExecCmdSprite0SetIconUnder, Icon),
    ROW_OPERAND(386, ExecCmdSprite1SetIconUnder, Icon),
    ROW_NAMED(387, ExecCmdBackgroundDisp, Params387),  // background_disp
    ROW_OPERAND(570, ExecCmdShiftSpritesX, Num),
    ROW_OPERAND(571, ExecCmdShiftSpritesY, Num),
    ROW_OPERAND(572, ExecCmdSpriteClipLeft, Num),
    ROW_OPERAND(573, ExecCmdSpriteClipBottom, Num),
    ROW_OPERAND(574, ExecCmdSpriteClipRight, Num),
    ROW_OPERAND(575, ExecCmdSpriteClipTop, Num),
    ROW_OPERAND(768, ExecCmdGraphAreaWidth, Num),  // graph_area_width
    // Program windows and controls
    ROW_OPERAND(242, ExecCmdWindowFrame, Bool),  // window_frame
    ROW_OPERAND(243, ExecCmdWindowCaption, Bool),  // window_caption
    ROW_NAMED(517, ExecCmdMessageBox, MessageBoxParams),
    ROW_OPERAND(593, ExecCmdWindowId, Num),  // window_id
    ROW_OPERAND(594, ExecCmdWindowDelete, Num),
    ROW_OPERAND(596, ExecCmdWindowX, Num),  // window_x
    ROW_OPERAND(597, ExecCmdWindowY, Num),  // window_y
    ROW_OPERAND(598, ExecCmdWindowW, Num),  // window_w
    ROW_OPERAND(599, ExecCmdWindowH, Num),  // window_h
    ROW_OPERAND(600, ExecCmdWindowText, Text),
    ROW_OPTIONAL(601, ExecCmdWindowVisible, Bool, ExecCmdToggleWindowVisible),
    ROW_OPTIONAL(602, ExecCmdWindowDisabled, Bool, ExecCmdToggleWindowDisabled),
    ROW_OPTIONAL(611, ExecCmdWindowCheck, Bool, ExecCmdToggleWindowCheck),
    ROW_OPERAND(612, ExecCmdWindowFocus, Num),
    ROW_OPTIONAL(620, ExecCmdWindowBold, Bool, ExecCmdToggleWindowBold),
    ROW_OPTIONAL(621, ExecCmdWindowFixed, Bool, ExecCmdToggleWindowFixed),
    ROW_OPERAND(624, ExecCmdWindowListAdd, Text),
    ROW_NONE(625, ExecCmdWindowListClear),
    ROW_OPTIONAL(628, ExecCmdWindowCheck3, Bool, ExecCmdToggleWindowCheck3),
    ROW_OPERAND(630, ExecCmdWindowIcon, Icon),
    ROW_OPTIONAL(638, ExecCmdFullScreen, Bool, ExecCmdToggleFullScreen),
    ROW_OPERAND(686, ExecCmdEscWindow, Num),
    ROW_OPERAND(700, ExecCmdWindowPicture, Picture),
    ROW_OPERAND(702, ExecCmdWindowFontHeight, Num),
    ROW_OPTIONAL(703, ExecCmdWindowItalic, Bool, ExecCmdToggleWindowItalic),
    ROW_OPTIONAL(704, ExecCmdWindowUnderline, Bool, ExecCmdToggleWindowUnderline),
    ROW_OPTIONAL(705, ExecCmdWindowStrikeout, Bool, ExecCmdToggleWindowStrikeout),
    ROW_OPTIONAL(706, ExecCmdWindowSerif, Bool, ExecCmdToggleWindowSerif),
    ROW_OPERAND(707, ExecCmdWindowFontWidth, Num),
    ROW_OPERAND(708, ExecCmdWindowFontAngle, Num),
    ROW_OPERAND(710, ExecCmdWindowTextColor, Num),
    ROW_OPERAND(711, ExecCmdWindowBackColor, Num),
    ROW_OPERAND(741, ExecCmdWindowWInt, Num),  // window_w_int
    ROW_OPERAND(742, ExecCmdWindowHInt, Num),  // window_h_int
    ROW_OPERAND(743, ExecCmdCodePage, Num),
    ROW_OPERAND(744, ExecCmdFontName, Text),
    ROW_OPERAND(749, ExecCmdWindowTop, Bool),  // window_top
    // Sound, music and CD audio
    ROW_NAMED(299, ExecCmdSoundPlay, Params299),  // sound_play
    ROW_OPTIONAL(300, ExecCmdSoundStop, Sound, ExecCmdSoundStopAll),  // sound_stop
    ROW_OPERAND(410, ExecCmdMusicPlay, Music),
    ROW_OPERAND(411, ExecCmdMusicPlayLoop, Music),
    ROW_NONE(412, ExecCmdMusicStop),
    ROW_OPTIONAL(413, ExecCmdMusicPause, Bool, ExecCmdMusicPauseToggle),
    ROW_OPERAND(415, ExecCmdMusicSetPosition, Num),
    ROW_OPTIONAL_CONST(427, ExecCmdCdPlay, Num, 1),
    ROW_NONE(428, ExecCmdCdStop),
    ROW_OPTIONAL(429, ExecCmdCdPause, Bool, ExecCmdCdPauseToggle),
    ROW_OPERAND(433, ExecCmdCdSetPosition, Num),
    ROW_OPERAND(434, ExecCmdCdSetTrack, Num),
    ROW_OPERAND(436, ExecCmdCdSetTrackPosition, Num),
    ROW_OPTIONAL(529, ExecCmdCdEject, Bool, ExecCmdCdEjectToggle),
    ROW_OPERAND(640, ExecCmdSoundSetPosition, Num),
    ROW_OPTIONAL(641, ExecCmdSoundPause, Bool, ExecCmdSoundPauseToggle),
    // Files, console, programs, return code and date
    ROW_OPERAND(245, ExecCmdSetReturnCode, Num),  // return_code
    ROW_OPERAND(439, ExecCmdFileCreate, Text),
    ROW_OPERAND(440, ExecCmdDirCreate, Text),
    ROW_OPERAND(441, ExecCmdFileDelete, Text),
    ROW_OPERAND(443, ExecCmdSetCurrentDir, Text),
    ROW_OPERAND(446, ExecCmdSetVolumeLabel, Text),
    ROW_OPERAND(448, ExecCmdSetReadFileName, Text),
    ROW_OPERAND(449, ExecCmdSetWriteFileName, Text),
    ROW_NONE(450, ExecCmdFileCopy),
    ROW_NONE(451, ExecCmdFileMove),
    ROW_OPERAND(454, ExecCmdSetFileReadOnly, Bool),
    ROW_OPERAND(455, ExecCmdSetFileHidden, Bool),
    ROW_OPERAND(456, ExecCmdSetFileSystem, Bool),
    ROW_OPERAND(458, ExecCmdSetFileArchive, Bool),
    ROW_OPERAND(462, ExecCmdSetFileCreateTime, Num),
    ROW_OPERAND(463, ExecCmdSetFileAccessTime, Num),
    ROW_OPERAND(464, ExecCmdSetFileWriteTime, Num),
    ROW_OPERAND(466, ExecCmdFileWriteInt8, Num),
    ROW_OPERAND(467, ExecCmdFileWriteUInt8, Num),
    ROW_OPERAND(468, ExecCmdFileWriteInt16, Num),
    ROW_OPERAND(469, ExecCmdFileWriteUInt16, Num),
    ROW_OPERAND(470, ExecCmdFileWriteInt32, Num),
    ROW_OPERAND(471, ExecCmdFileWriteUInt32, Num),
    ROW_OPERAND(472, ExecCmdFileWriteFloat, Num),
    ROW_OPERAND(473, ExecCmdFileWriteDouble, Num),
    ROW_OPERAND(474, ExecCmdFileWriteTextNul, Text),
    ROW_OPERAND(475, ExecCmdFileWriteLine, Text),
    ROW_OPERAND(476, ExecCmdFileWriteTextFixed, Text),
    ROW_OPERAND(477, ExecCmdFileWriteIcon, Icon),
    ROW_OPERAND(478, ExecCmdFileWritePicture, Picture),
    ROW_OPERAND(479, ExecCmdFileWriteSound, Sound),
    ROW_OPERAND(480, ExecCmdFileWriteMusic, Music),
    ROW_OPERAND(481, ExecCmdSetReadOffset, Num),
    ROW_OPERAND(482, ExecCmdSetWriteOffset, Num),
    ROW_OPERAND(484, ExecCmdSetDateTime, Num),
    ROW_OPERAND(508, ExecCmdSetFileSize, Num),
    ROW_OPERAND(509, ExecCmdSetFileError, Bool),
    ROW_OPERAND(510, ExecCmdSetFileTextLength, Num),
    ROW_OPERAND(514, ExecCmdFileWriteInt24, Num),
    ROW_OPERAND(515, ExecCmdFileWriteUInt24, Num),
    ROW_NONE(576, ExecCmdConsoleToggle),
    ROW_OPERAND(577, ExecCmdConsoleOut, Text),
    ROW_OPERAND(579, ExecCmdConsoleErr, Text),
    ROW_OPERAND(582, ExecCmdRunProgram, Text),
    ROW_OPERAND(583, ExecCmdRunProgramWait, Text),
    ROW_OPERAND(632, ExecCmdFileWriteSprite, Sprite),
    ROW_OPERAND(729, ExecCmdSetFileUnicode, Bool),
    ROW_OPERAND(751, ExecCmdSetFileAlias, Text),
};
const ElementTable CmdElementTable = {CmdElementRows, sizeof CmdElementRows / sizeof CmdElementRows[0]};
#undef F
