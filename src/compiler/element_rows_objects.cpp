// Element table of the text, icon, picture, map, sprite, sound and music elements.
#include "compiler/element_table.h"

// Texts
#define F(f) EXEC_FN(Text, f)
const NamedParam TextLeftParams[] = {
    {El::text_left_count, KindNum, 1},
    {El::text_source, KindText, 0},
};
const NamedParam TextFromParams[] = {
    {El::text_from_start, KindNum, 0},
    {El::text_source, KindText, 0},
};
const NamedParam TextMidParams[] = {
    {El::text_mid_start, KindNum, 0},
    {El::text_mid_count, KindNum, 1},
    {El::text_source, KindText, 0},
};
const NamedParam TextLineParams[] = {
    {El::text_line_number, KindNum, 0},
    {El::text_source, KindText, 0},
};
const NamedParam InputDialogParams[] = {
    {El::dialog_caption, KindText, 0},
    {El::input_dialog_line1, KindText, 0},
    {El::input_dialog_line2, KindText, 0},
    {El::input_dialog_line3, KindText, 0},
    {El::input_dialog_text, KindText, 0},
};
const NamedParam FileDialogParams[] = {
    {El::dialog_caption, KindText, 0},
    {El::file_dialog_names, KindText, 0},
    {El::file_dialog_patterns, KindText, 0},
    {El::file_dialog_file, KindText, 0},
};

const ElementRow TextElementRows[] = {
    ROW_CALL(El::function),
    ROW_READ(El::text, Text, ExecTextGlobal, ExecTextLocal, ExecTextGlobalListItem, ExecTextLocalListItem),
    ROW_TEXT_CONST(El::text_const),
    ROW_NONE(El::key_char, ExecTextKeyChar),
    ROW_NONE(El::command_line, ExecTextCommandLine),
    ROW_NAMED(El::text_left, ExecTextLeft, TextLeftParams),
    ROW_NAMED(El::text_from, ExecTextFromIndex, TextFromParams),
    ROW_NAMED(El::text_mid, ExecTextMid, TextMidParams),
    ROW_LIST(El::text_join, ExecTextJoin, Text, ExecPassThrough),
    ROW_OPERAND(El::text_number, ExecTextFromNumber, Num),
    ROW_OPERAND(El::text_lower, ExecTextLowerCase, Text),
    ROW_OPERAND(El::text_upper, ExecTextUpperCase, Text),
    ROW_NONE(El::status_text, ExecTextStatusText),
    ROW_NONE(El::caption, ExecTextCaption),
    ROW_OPERAND(El::text_char, ExecTextChar, Num),
    ROW_NONE(El::key_wait_char, ExecTextWaitChar),
    ROW_NAMED(El::text_line, ExecTextLine, TextLineParams),
    ROW_NONE(El::current_dir, ExecTextCurrentDir),
    ROW_NONE(El::disk_label, ExecTextVolumeLabel),
    ROW_NONE(El::file_read_name, ExecTextReadFileName),
    ROW_NONE(El::file_write_name, ExecTextWriteFileName),
    ROW_NONE(El::file_text_nul, ExecTextFileReadNul),
    ROW_NONE(El::file_line, ExecTextFileReadLine),
    ROW_NONE(El::file_text_fixed, ExecTextFileReadFixed),
    ROW_OPERAND(El::date_dmy, ExecTextDateDotted, Num),
    ROW_OPERAND(El::date_mdy, ExecTextDateSlashed, Num),
    ROW_OPERAND(El::date_ymd, ExecTextDateIso, Num),
    ROW_OPERAND(El::date_time24, ExecTextTime24, Num),
    ROW_OPERAND(El::date_time12, ExecTextTime12, Num),
    ROW_OPERAND(El::text_two_digits, ExecTextTwoDigits, Num),
    ROW_OPERAND(El::text_hex, ExecTextHex, Num),
    ROW_NONE(El::text_newline, ExecTextNewLine),
    ROW_NAMED(El::input_dialog, ExecTextInputDialog, InputDialogParams),
    ROW_NONE(El::console_in, ExecTextConsoleIn),
    ROW_OPERAND(El::command_word, ExecTextCommandWord, Num),
    ROW_NONE(El::program_path, ExecTextModulePath),
    ROW_NONE(El::window_text, ExecTextWindowText),
    ROW_OPTIONAL(El::file_list, ExecTextFileList, Text, ExecTextFileListAll),
    ROW_NAMED(El::open_dialog, ExecTextOpenDialog, FileDialogParams),
    ROW_NAMED(El::save_dialog, ExecTextSaveDialog, FileDialogParams),
    ROW_NONE(El::text_empty, ExecTextEmpty),
    ROW_NONE(El::text_empty_2, ExecTextEmpty),
    ROW_NONE(El::font_name, ExecTextFontName),
    ROW_NONE(El::font_list, ExecTextFontList),
    ROW_NONE(El::file_alias, ExecTextFileAlias),
};
const ElementTable TextElementTable = {TextElementRows, sizeof TextElementRows / sizeof TextElementRows[0]};
#undef F

// Icons
#define F(f) EXEC_FN(Icon, f)
const NamedParam BackgroundGetIconParams[] = {
    {El::background_block_x, KindNum, 0},
    {El::background_block_y, KindNum, 0},
};

const ElementRow IconElementRows[] = {
    ROW_READ(El::icon, Icon, ExecIconGlobal, ExecIconLocal, ExecIconGlobalListItem, ExecIconLocalListItem),  // read like picture
    ROW_READ(El::picture, Icon, ExecIconGlobal, ExecIconLocal, ExecIconGlobalListItem, ExecIconLocalListItem),
    ROW_CALL(El::function),
    ROW_NONE(El::sprite0_icon_ahead, ExecIconAheadOfSprite0),
    ROW_NONE(El::sprite1_icon_ahead, ExecIconAheadOfSprite1),
    ROW_NONE(El::icon_empty, ExecIconEmpty),
    ROW_NONE(El::sprite0_icon_under, ExecIconUnderSprite0),
    ROW_NONE(El::sprite1_icon_under, ExecIconUnderSprite1),
    ROW_NAMED(El::background_get_icon, ExecIconBackgroundGet, BackgroundGetIconParams),
    ROW_NONE(El::file_icon, ExecIconFileRead),
    ROW_NAMED(El::map_cell_icon, ExecIconMapCell, MapCellParams),
    ROW_NONE(El::window_icon, ExecIconWindowIcon),
};
const ElementTable IconElementTable = {IconElementRows, sizeof IconElementRows / sizeof IconElementRows[0]};
#undef F

// Pictures
#define F(f) EXEC_FN(Picture, f)
const NamedParam BackgroundGetParams[] = {
    {El::background_block_x, KindNum, 0},
    {El::background_block_y, KindNum, 0},
    {El::background_block_w, KindNum, 2000000},
    {El::background_block_h, KindNum, 2000000},
};
const NamedParam PictureResizeParams[] = {
    {El::picture_resize_pic, KindPicture, 0},
    {El::picture_resize_w, KindNum, 2000000},
    {El::picture_resize_h, KindNum, 2000000},
    {El::picture_smooth, KindBool, 0},
    {El::picture_dither, KindBool, 1},
};
const NamedParam PictureScaleColorsParams[] = {
    {El::picture_scale_colors_pic, KindPicture, 0},
    {El::picture_scale_colors_factor, KindNum, 1},
    {El::picture_dither, KindBool, 0},
};
const NamedParam PictureRotateParams[] = {
    {El::picture_rotate_pic, KindPicture, 0},
    {El::picture_rotate_angle, KindNum, 0},
    {El::picture_smooth, KindBool, 0},
    {El::picture_dither, KindBool, 1},
};
const NamedParam PictureMaskParams[] = {
    {El::picture_mask_pic, KindPicture, 0},
    {El::picture_mask_mask, KindPicture, 0},
};

const ElementRow PictureElementRows[] = {
    ROW_CALL(El::function),
    ROW_READ(El::background, Picture, ExecPictureGlobal, ExecPictureLocal, ExecPictureGlobalListItem, ExecPictureLocalListItem),
    ROW_NAMED(El::background_get, ExecPictureBackgroundGet, BackgroundGetParams),
    ROW_NONE(El::file_picture, ExecPictureFileRead),
    ROW_OPERAND(El::picture_mirror_x, ExecPictureMirrorX, Picture),
    ROW_OPERAND(El::picture_mirror_y, ExecPictureMirrorY, Picture),
    ROW_NAMED(El::picture_resize, ExecPictureResize, PictureResizeParams),
    ROW_NONE(El::window_picture, ExecPictureWindowPicture),
    ROW_NAMED(El::picture_scale_colors, ExecPictureScaleColors, PictureScaleColorsParams),
    ROW_NAMED(El::picture_rotate, ExecPictureRotate, PictureRotateParams),
    ROW_OPERAND(El::picture_from_map, ExecPictureFromMap, Map),
    ROW_OPERAND(El::picture_from_icon, ExecPictureFromIcon, Icon),
    ROW_NAMED(El::picture_mask, ExecPictureMask, PictureMaskParams),
};
const ElementTable PictureElementTable = {PictureElementRows, sizeof PictureElementRows / sizeof PictureElementRows[0]};
#undef F

// Maps
#define F(f) EXEC_FN(Map, f)
const NamedParam MapPasteParams[] = {
    {El::map_cell_map, KindMap, 0},
    {El::map_cell_x, KindNum, 0},
    {El::map_cell_y, KindNum, 0},
    {El::map_paste_map, KindMap, 0},
    {El::map_paste_x, KindNum, 0},
    {El::map_paste_y, KindNum, 0},
    {El::map_paste_w, KindNum, 2000000},
    {El::map_paste_h, KindNum, 2000000},
};
const NamedParam MapNewParams[] = {
    {El::map_new_w, KindNum, 0},
    {El::map_new_h, KindNum, 0},
};

const ElementRow MapElementRows[] = {
    ROW_CALL(El::function),
    ROW_READ(El::map, Map, ExecMapGlobal, ExecMapLocal, ExecMapGlobalListItem, ExecMapLocalListItem),
    ROW_NAMED(El::map_paste, ExecMapPasteBlock, MapPasteParams),
    ROW_NAMED(El::map_new, ExecMapNew, MapNewParams),
};
const ElementTable MapElementTable = {MapElementRows, sizeof MapElementRows / sizeof MapElementRows[0]};
#undef F

// Sprites
#define F(f) EXEC_FN(Sprite, f)
const ElementRow SpriteElementRows[] = {
    ROW_CALL(El::function),
    ROW_READ(El::sprite, Sprite, ExecSpriteGlobal, ExecSpriteLocal, ExecSpriteGlobalListItem, ExecSpriteLocalListItem),
    ROW_NONE(El::file_sprite, ExecSpriteFileRead),
};
const ElementTable SpriteElementTable = {SpriteElementRows, sizeof SpriteElementRows / sizeof SpriteElementRows[0]};
#undef F

// Sounds
#define F(f) EXEC_FN(Sound, f)
const NamedParam SoundSpeedParams[] = {
    {El::sound_speed_sound, KindSound, 0},
    {El::sound_speed_factor, KindNum, 1},
};
const NamedParam SoundToneParams[] = {
    {El::sound_tone_freq, KindNum, 1000},
    {El::sound_tone_length, KindNum, 1},
};

const ElementRow SoundElementRows[] = {
    ROW_READ(El::sound, Sound, ExecSoundGlobal, ExecSoundLocal, ExecSoundGlobalListItem, ExecSoundLocalListItem),
    ROW_CALL(El::function),
    ROW_NONE(El::file_sound, ExecSoundFileRead),
    ROW_OPERAND(El::sound_conv_8bit, ExecSoundTo8Bit, Sound),
    ROW_OPERAND(El::sound_conv_16bit, ExecSoundTo16Bit, Sound),
    ROW_OPERAND(El::sound_conv_stereo, ExecSoundToStereo, Sound),
    ROW_OPERAND(El::sound_conv_mono, ExecSoundToMono, Sound),
    ROW_OPERAND(El::sound_conv_11025, ExecSoundRate11025, Sound),
    ROW_OPERAND(El::sound_conv_22050, ExecSoundRate22050, Sound),
    ROW_OPERAND(El::sound_conv_44100, ExecSoundRate44100, Sound),
    ROW_LIST(El::sound_join, ExecSoundJoin, Sound, ExecPassThrough),
    ROW_NAMED(El::sound_speed, ExecSoundSpeed, SoundSpeedParams),
    ROW_NAMED(El::sound_tone, ExecSoundTone, SoundToneParams),
    ROW_OPERAND(El::sound_distinct, ExecSoundDistinct, Sound),
    ROW_OPERAND(El::sound_conv_pcm, ExecSoundToPcm, Sound),
};
const ElementTable SoundElementTable = {SoundElementRows, sizeof SoundElementRows / sizeof SoundElementRows[0]};
#undef F

// Music
#define F(f) EXEC_FN(Music, f)
const ElementRow MusicElementRows[] = {
    ROW_READ(El::music, Music, ExecMusicGlobal, ExecMusicLocal, ExecMusicGlobalListItem, ExecMusicLocalListItem),
    ROW_CALL(El::function),
    ROW_NONE(El::file_music, ExecMusicFileRead),
};
const ElementTable MusicElementTable = {MusicElementRows, sizeof MusicElementRows / sizeof MusicElementRows[0]};
#undef F
