// The element tables of the compile functions: for every element id that can
// stand as a value of a kind (or as a command), the form of its compiled code,
// its execution functions, operands and named parameters with defaults.
#pragma once
#include <stdint.h>
#include "base/pi.h"
#include "code/compiled_code.h"
#include "code/exec_functions.h"
#include "image/element_ids.h"

// The kinds of the compile functions; KindCommands is a named parameter that
// holds a command group.
enum ValueKind : uint8_t {
  KindCmd, KindNum, KindBool, KindText, KindIcon, KindPicture, KindMap, KindSprite,
  KindSound, KindMusic, KindCommands, KindNone, ValueKindCount
};

enum ElementForm : uint8_t {
  FormNone,           // the step alone
  FormOperand,        // the step, then one operand of kind Operand
  FormOptional,       // as FormOperand; without an operand that compiles, Fn[1] alone
  FormOptionalConst,  // as FormOperand; without one, the step followed by the constant Value
  FormNamed,          // the step, then each named parameter (or its default) in order
  FormList,           // operand list of kind Operand: Fn[0] for two or more, Fn[1] for one
  FormRead,           // a variable read: Fn = global, local, global list item, local list item
  FormAssign,         // the same four forms as commands, then a value of kind Operand
  FormListState,      // list_index, list_auto: Fn[0] global, Fn[1] local; a command takes a number
  FormListSize,       // list_size: the size of the referred list as a constant
  FormCall,           // a user function call
  FormCase,           // case
  FormConst,          // a number constant Value
  FormNumLiteral,     // a number literal
  FormColor,          // the colour of the item's own icon, a constant
  FormTextConst,      // a text constant, a new entry of Texts
};

struct NamedParam {
  int16_t Id;      // element id of the parameter item
  uint8_t Kind;    // ValueKind
  double Default;  // numbers: the value; logic: 1 true, 0 false; other kinds: unused
};

struct ElementRow {
  int16_t Id;
  uint8_t Form;        // ElementForm
  uint8_t Operand;     // ValueKind of the operand or operands, KindNone without
  uint8_t Store;       // FormRead, FormAssign: the kind whose value list holds the variable
  uint8_t ParamCount;  // FormNamed
  const NamedParam* Params;
  ExecFunction Fn[4];
  double Value;  // FormConst, FormOptionalConst
};

struct ElementTable {
  const ElementRow* Rows;
  int32_t Count;
};

// The rows of each kind, each in its own file.
extern const ElementTable CmdElementTable, NumElementTable, BoolElementTable, TextElementTable,
    IconElementTable, PictureElementTable, MapElementTable, SpriteElementTable, SoundElementTable,
    MusicElementTable;

// One table per kind of compile function, indexed by ValueKind (KindCmd .. KindMusic).
extern const ElementTable* const ElementTables[KindMusic + 1];

// The row of element id in the table of kind, or null when the kind has none.
const ElementRow* FindElementRow(ValueKind kind, int32_t id);

// Parameter lists that rows of several kinds share: a map cell (map, x, y)
// and the message box (caption, text, icon, buttons, default button).
extern const NamedParam MapCellParams[3];
extern const NamedParam MessageBoxParams[5];

// Key-code constants: the elements vk_f1 .. vk_space give these virtual-key codes.
const int32_t FirstKeyElement = El::vk_f1;
const int32_t LastKeyElement = El::vk_space;
extern const uint8_t KeyElementCodes[LastKeyElement - FirstKeyElement + 1];

const double EulerE = 2.71828182845904523536028747135266250;
const double ThreePiOver4 = 2.35619449019234492884698253745962716;
const double FivePiOver4 = 3.92699081698724154807830422909937861;
const double ThreePiOver2 = 4.71238898038468985769396507491925433;
const double SevenPiOver4 = 5.49778714378213816730962592073913005;

// Row initialisers; each rows file defines F(f) as EXEC_FN of its own kind.
#define ROW_FN4(a, b, c, d) {F(a), F(b), F(c), F(d)}
#define ROW_NONE(id, f) {id, FormNone, KindNone, KindNone, 0, nullptr, {F(f)}, 0}
#define ROW_OPERAND(id, f, k) {id, FormOperand, Kind##k, KindNone, 0, nullptr, {F(f)}, 0}
#define ROW_OPTIONAL(id, f, k, g) {id, FormOptional, Kind##k, KindNone, 0, nullptr, {F(f), F(g)}, 0}
#define ROW_OPTIONAL_CONST(id, f, k, v) \
  {id, FormOptionalConst, Kind##k, KindNone, 0, nullptr, {F(f)}, v}
#define ROW_NAMED(id, f, params) \
  {id, FormNamed, KindNone, KindNone, sizeof params / sizeof params[0], params, {F(f)}, 0}
#define ROW_LIST(id, f, k, one) {id, FormList, Kind##k, KindNone, 0, nullptr, {F(f), F(one)}, 0}
#define ROW_READ(id, store, g, l, gl, ll) \
  {id, FormRead, KindNone, Kind##store, 0, nullptr, ROW_FN4(g, l, gl, ll), 0}
#define ROW_ASSIGN(id, store, k, g, l, gl, ll) \
  {id, FormAssign, Kind##k, Kind##store, 0, nullptr, ROW_FN4(g, l, gl, ll), 0}
#define ROW_LIST_STATE(id, k, g, l) {id, FormListState, Kind##k, KindNone, 0, nullptr, {F(g), F(l)}, 0}
#define ROW_SPECIAL(id, form) {id, form, KindNone, KindNone, 0, nullptr, {}, 0}
#define ROW_LIST_SIZE(id) ROW_SPECIAL(id, FormListSize)
#define ROW_CALL(id) ROW_SPECIAL(id, FormCall)
#define ROW_CASE(id) ROW_SPECIAL(id, FormCase)
#define ROW_NUM_LITERAL(id) ROW_SPECIAL(id, FormNumLiteral)
#define ROW_COLOR(id) ROW_SPECIAL(id, FormColor)
#define ROW_TEXT_CONST(id) ROW_SPECIAL(id, FormTextConst)
#define ROW_CONST(id, v) {id, FormConst, KindNone, KindNone, 0, nullptr, {F(ExecNumConst)}, v}
