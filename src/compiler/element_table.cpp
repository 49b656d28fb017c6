// The tables of all compile functions together, their lookup, and the
// virtual-key codes of the key-code constants.
#include "compiler/element_table.h"

const ElementTable* const ElementTables[KindMusic + 1] = {
    &CmdElementTable,     &NumElementTable,    &BoolElementTable,   &TextElementTable,
    &IconElementTable,    &PictureElementTable, &MapElementTable,   &SpriteElementTable,
    &SoundElementTable,   &MusicElementTable,
};

const ElementRow* FindElementRow(ValueKind kind, int32_t id) {
  if (kind > KindMusic) return nullptr;
  const ElementTable& table = *ElementTables[kind];
  for (int32_t i = 0; i < table.Count; i++)
    if (table.Rows[i].Id == id) return &table.Rows[i];
  return nullptr;
}

const NamedParam MapCellParams[3] = {
    {El::map_cell_map, KindMap, 0}, {El::map_cell_x, KindNum, 0}, {El::map_cell_y, KindNum, 0}};
const NamedParam MessageBoxParams[5] = {
    {El::dialog_caption, KindText, 0},  {El::message_box_text, KindText, 0},
    {El::message_box_icon, KindNum, 0}, {El::message_box_buttons, KindNum, 0},
    {El::message_box_default, KindNum, 1},
};

const uint8_t KeyElementCodes[LastKeyElement - FirstKeyElement + 1] = {
    // vk_f1 .. vk_f12
    0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B,
    // vk_a .. vk_z
    0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x4B, 0x4C, 0x4D,
    0x4E, 0x4F, 0x50, 0x51, 0x52, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A,
    // vk_num0 .. vk_num9: numeric keypad 0 to 9
    0x60, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69,
    // vk_num_point, vk_num_plus, vk_num_minus, vk_num_times, vk_num_divide
    0x6E, 0x6B, 0x6D, 0x6A, 0x6F,
    // vk_mute (code 0xAD), vk_numlock
    0xAD, 0x90,
    // vk_1 .. vk_9, vk_0: the digit keys
    0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x30,
    // vk_grave .. vk_slash: punctuation keys of the main block
    0xC0, 0xBD, 0xBB, 0xDC, 0xDB, 0xDD, 0xBA, 0xDE, 0xBC, 0xBE, 0xBF,
    // vk_esc, vk_tab, vk_capslock, vk_win (left), vk_backspace, vk_enter, vk_apps
    0x1B, 0x09, 0x14, 0x5B, 0x08, 0x0D, 0x5D,
    // vk_left, vk_right, vk_up, vk_down
    0x25, 0x27, 0x26, 0x28,
    // vk_insert, vk_delete, vk_home, vk_end, vk_pageup, vk_pagedown
    0x2D, 0x2E, 0x24, 0x23, 0x21, 0x22,
    // vk_print, vk_scrolllock, vk_pause
    0x2A, 0x91, 0x13,
    // vk_shift, vk_ctrl, vk_alt, vk_space
    0x10, 0x11, 0x12, 0x20,
};
