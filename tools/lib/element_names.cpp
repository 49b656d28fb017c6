// Element names and ids as the language spells them, plus two names of the
// assembler's own ("text" and "music") for the variable kinds that have none.
#include "lib/element_names.h"
#include <string.h>

namespace {

struct ElementName {
  const char* Name;
  int32_t Id;
};

const ElementName ElementNames[] = {
    {"group", 1}, {"if", 2}, {"if_cond", 3}, {"then", 4}, {"else", 5}, {"while", 6},
    {"while_cond", 7}, {"while_body", 8}, {"break", 9}, {"case", 11}, {"case_expr", 12},
    {"case_on", 13}, {"case_equ", 14}, {"default", 15}, {"num", 16}, {"0", 17}, {"1", 18},
    {"2", 19}, {"3", 20}, {"4", 21}, {"5", 22}, {"6", 23}, {"7", 24}, {"8", 25}, {"9", 26},
    {"and", 35}, {"or", 36}, {"not", 38}, {"real", 43}, {"picture", 44}, {"sound", 45},
    {"function", 47}, {"map", 48}, {"sprite", 49}, {"iparam", 53}, {"oparam", 54},
    {"list", 56}, {"logic", 63}, {"text_const", 64}, {"true", 65}, {"false", 66},
    {"quick", 72}, {"exit", 73}, {"mod", 89}, {"integer", 99}, {"abs", 101}, {"sqrt", 102},
    {"random", 104}, {"wait", 122}, {"key_vkey", 125}, {"transparent", 133},
    {"mouse_l", 235}, {"mouse_x", 237}, {"mouse_y", 238}, {"window_frame", 242},
    {"window_caption", 243}, {"command_line", 244}, {"return_code", 245},
    {"background", 246}, {"repeat", 247}, {"repeat_num", 248}, {"sprite_x", 250},
    {"sprite_y", 251}, {"sprite_dir", 252}, {"sprite_move", 253}, {"sprite_vis", 254},
    {"list_size", 255}, {"list_index", 256}, {"list_auto", 257}, {"caption", 295},
    {"sound_play", 299}, {"sound_stop", 300}, {"color", 301}, {"graph_color", 303},
    {"graph_width", 304}, {"point", 305}, {"point_x", 306}, {"point_y", 307}, {"line", 308},
    {"line_x1", 309}, {"line_y1", 310}, {"line_x2", 311}, {"line_y2", 312},
    {"box_fill", 318}, {"box_fill_x1", 319}, {"box_fill_y1", 320}, {"box_fill_x2", 321},
    {"box_fill_y2", 322}, {"fill", 323}, {"fill_x", 324}, {"fill_y", 325},
    {"vk_nokey", 349}, {"vk_shift_r", 351}, {"vk_ctrl_r", 352}, {"vk_alt_r", 353},
    {"mouse_l_click", 358}, {"mouse_r_click", 359}, {"mouse_region", 362},
    {"mouse_region_x", 363}, {"mouse_region_y", 364}, {"mouse_region_w", 365},
    {"mouse_region_h", 366}, {"textout", 367}, {"textout_x", 368}, {"textout_y", 369},
    {"textout_angle", 370}, {"textout_h", 371}, {"textout_w", 372}, {"textout_bold", 373},
    {"textout_italic", 374}, {"textout_underline", 375}, {"textout_strikeout", 376},
    {"textout_serif", 377}, {"textout_courier", 378}, {"textout_text", 379},
    {"sound_play_loop", 384}, {"background_disp", 387}, {"background_back", 388},
    {"background_x", 389}, {"background_y", 390}, {"background_block_x", 391},
    {"background_block_y", 392}, {"background_block_w", 393}, {"background_block_h", 394},
    {"background_get", 395}, {"language", 397}, {"sound_play_sound", 398},
    {"sound_play_volume", 399}, {"sound_play_balance", 400}, {"sound_play_stop", 401},
    {"mouse_cursor", 404}, {"mouse_cursor_pic", 405}, {"mouse_cursor_x", 406},
    {"mouse_cursor_y", 407}, {"mouse_cursor_w", 408}, {"mouse_cursor_h", 409},
    {"get_point", 421}, {"get_point_x", 422}, {"get_point_y", 423}, {"sqr", 424},
    {"map_width", 549}, {"map_height", 550}, {"window_id", 593}, {"window_x", 596},
    {"window_y", 597}, {"window_w", 598}, {"window_h", 599}, {"sprite_phase", 636},
    {"sprite_status", 637}, {"inc", 683}, {"dec", 684}, {"picture_width", 687},
    {"picture_height", 688}, {"sound_play_speed", 713}, {"sound_conv_pcm", 728},
    {"bit_and", 733}, {"window_w_int", 741}, {"window_h_int", 742}, {"map_new", 746},
    {"map_new_w", 747}, {"map_new_h", 748}, {"window_top", 749}, {"graph_area_width", 768},
    {"music", 46}, {"text", 51},
};

}  // namespace

int32_t ElementIdOfName(const std::string& name) {
  for (const ElementName& e : ElementNames)
    if (name == e.Name) return e.Id;
  return -1;
}

std::string ElementNameOfId(int32_t id) {
  for (const ElementName& e : ElementNames)
    if (e.Id == id) return e.Name;
  return std::string();
}
