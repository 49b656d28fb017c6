// The program assembler: source lines become an indentation tree of tokens;
// a first pass collects items, constants and labels, a second writes records.
#include "lib/program_asm.h"
#include <ctype.h>
#include <errno.h>
#include <math.h>
#include <stdlib.h>
#include <string.h>
#include <map>

namespace {

enum TokenKind { TokenWord, TokenString, TokenTexts };

struct Token {
  TokenKind Kind = TokenWord;
  std::string Text;                                        // the word or the string
  std::vector<std::pair<uint32_t, std::string>> Versions;  // TokenTexts: language, text
};

struct Node {
  int Line = 0;
  int Indent = -1;
  bool IsRow = false;
  std::string Row;  // the characters of a pixel row, after its '|'
  std::vector<Token> Tokens;
  std::vector<Node> Children;
};

struct Label {
  int Table;
  int32_t Index;
};

struct Item {
  const Node* Source = nullptr;
  int Table = 0;
  int32_t Index = 0;
  std::string Name;
  int32_t ElementId = -1;  // -1: the element of the declaration referred to
  std::string RefLabel;
  const Token* Value = nullptr;  // after '='
  std::string Target;            // after '->'
  const Token* OwnText = nullptr;
  std::string IconRef;
  uint32_t AddedFlags = 0;
  std::vector<std::pair<std::string, int64_t>> Raw;
  std::vector<Item> Children;
  uint32_t Flags = 0;  // the tree flags, set when the table is laid out
};

const double Pi = 3.14159265358979323846;
const int ItemTables[3] = {TableGlobal, TableLocal, TableProgram};
const char* const RawItemFields[] = {"flags", "setflags", "reftable", "refindex", "datatable",
                                     "dataindex", "iconindex", "textindex", "element"};

bool ParseInt(const std::string& s, int64_t& v) {
  if (s.empty()) return false;
  char* end;
  errno = 0;
  v = strtoll(s.c_str(), &end, 0);
  if (errno == ERANGE) {
    v = (int64_t)strtoull(s.c_str(), &end, 0);  // 64-bit patterns above INT64_MAX
  }
  return *end == 0 && errno == 0;
}

bool ParseReal(const std::string& s, double& v) {
  if (s == "nan") return v = NAN, true;
  if (s == "inf") return v = INFINITY, true;
  if (s == "-inf") return v = -INFINITY, true;
  if (s.empty() || !(isdigit((unsigned char)s[0]) || s[0] == '-' || s[0] == '.')) return false;
  char* end;
  v = strtod(s.c_str(), &end);
  return *end == 0;
}

bool LooksNumeric(const std::string& s) {
  return !s.empty() && (isdigit((unsigned char)s[0]) ||
                        ((s[0] == '-' || s[0] == '.') && s.size() > 1));
}

// What one character of a map row stands for: a cell's icon and parameter.
struct MapCellKey {
  bool Given = false;
  int32_t Icon = 0;
  uint32_t Param = 0;
};

class Assembler {
 public:
  explicit Assembler(ImageWriter& writer) : W(writer) {
    for (int& k : Key) k = -1;
    Key[(uint8_t)'.'] = 0;
    for (int32_t& c : MediaCount) c = 0;
  }
  bool Run(const std::string& source);
  std::string Error;

 private:
  ImageWriter& W;
  Node Root;
  std::map<std::string, Label> Labels;
  std::vector<Item> Top[3];
  std::vector<Item*> Flat[3];
  int32_t MediaCount[ImageTableCount];
  ImageTextTable TextTable;
  int Key[256];
  std::map<int32_t, int32_t> Imports;

  bool Fail(int line, const std::string& what) {
    if (Error.empty()) Error = "line " + std::to_string(line) + ": " + what;
    return false;
  }

  // Reading the source.
  bool ReadString(const std::string& s, size_t& i, std::string& out, int line);
  bool ReadTexts(const std::string& s, size_t& i, Token& t, int line);
  bool Tokenize(const std::string& s, size_t i, std::vector<Token>& tokens, int line);
  bool BuildTree(const std::string& source);

  // Attributes: "key=value" words (the value may also be the next token).
  bool Attr(const Node& n, size_t& i, std::string& key, std::string& value);
  template <class T>
  bool NumberAttr(const Node& n, const char* key, T& v, T fallback,
                  bool (*parse)(const std::string&, T&), const char* what);
  bool IntAttr(const Node& n, const char* key, int64_t& v, int64_t fallback);
  bool RealAttr(const Node& n, const char* key, double& v, double fallback);
  bool CheckAttrs(const Node& n, size_t first, const std::vector<std::string>& allowed);

  // First pass.
  bool Collect();
  bool ParseItem(const Node& n, int table, Item& item);
  bool AddLiteralDigits(const Node& n, const std::string& literal, Item& item);
  void LayOut(std::vector<Item>& items, int t);
  bool RegisterLabel(const std::string& name, int table, int32_t index, int line);
  bool ApplyHeader(const Node& n);

  // Second pass.
  bool EmitConstants();
  bool EmitItems();
  bool EmitItem(Item& item);
  bool EmitRaw();
  bool LookUp(const std::string& name, int line, Label& l);
  bool AddText(const Token& t, int line, int32_t& index);
  bool AddValue(const Token& t, int line, int32_t& table, int32_t& index);
  int32_t ImportIndex(int32_t element);
  bool ReadKey(const Node& n, int* key);
  bool Grid(const Node& n, const int* key, uint32_t w, uint32_t h, uint8_t fill,
            std::vector<uint8_t>& pixels);
  bool HexBytes(const Node& n, size_t first, std::vector<uint8_t>& out);
  bool TableOf(const Node& n, size_t i, int& table);
  bool IconIndexOf(const std::string& ref, int line, int32_t& index);
  bool ReadMapKey(const Node& n, uint32_t mapParam, MapCellKey* key);
  bool MapRow(const Node& row, const MapCellKey* key, int64_t w, int64_t y, int64_t cellCount,
              std::vector<uint32_t>& cells);

 public:
  // The writers of the constant sections (MediaSections below).
  bool EmitIcon(const Node& n);
  bool EmitPicture(const Node& n);
  bool EmitMap(const Node& n);
  bool EmitSprite(const Node& n);
  bool EmitSound(const Node& n);
  bool EmitMusic(const Node& n);
};

// The constant sections: their word, their table and their writer.
struct MediaSection {
  const char* Word;
  int Table;
  bool (Assembler::*Emit)(const Node&);
};

const MediaSection MediaSections[] = {
    {"picture", TablePicture, &Assembler::EmitIcon},
    {"map", TableMap, &Assembler::EmitMap},
    {"background", TableBackgrnd, &Assembler::EmitPicture},
    {"sprite", TableSprite, &Assembler::EmitSprite},
    {"sound", TableSound, &Assembler::EmitSound},
    {"music", TableMusic, &Assembler::EmitMusic},
};

const MediaSection* MediaSectionOf(const std::string& word) {
  for (const MediaSection& m : MediaSections)
    if (word == m.Word) return &m;
  return nullptr;
}

bool Assembler::ReadString(const std::string& s, size_t& i, std::string& out, int line) {
  for (i++; i < s.size() && s[i] != '"'; i++) {
    char c = s[i];
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i >= s.size()) break;
    switch (s[i]) {
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case '0': out += '\0'; break;
      case 'x': {
        if (i + 2 >= s.size() || !isxdigit((unsigned char)s[i + 1]) ||
            !isxdigit((unsigned char)s[i + 2]))
          return Fail(line, "\\x needs two hexadecimal digits");
        out += (char)strtol(s.substr(i + 1, 2).c_str(), nullptr, 16);
        i += 2;
        break;
      }
      default: out += s[i];
    }
  }
  if (i >= s.size()) return Fail(line, "text without its closing quote");
  i++;
  return true;
}

// {9:"Hello" 5:"Ahoj"}: texts by language id.
bool Assembler::ReadTexts(const std::string& s, size_t& i, Token& t, int line) {
  t.Kind = TokenTexts;
  for (i++;;) {
    while (i < s.size() && s[i] == ' ') i++;
    if (i >= s.size()) return Fail(line, "texts without their closing brace");
    if (s[i] == '}') return i++, true;
    size_t colon = s.find(':', i);
    int64_t language;
    if (colon == std::string::npos || !ParseInt(s.substr(i, colon - i), language) ||
        colon + 1 >= s.size() || s[colon + 1] != '"')
      return Fail(line, "texts by language are written {LANGUAGE:\"text\" ...}");
    i = colon + 1;
    std::string text;
    if (!ReadString(s, i, text, line)) return false;
    t.Versions.push_back({(uint32_t)language, text});
  }
}

bool Assembler::Tokenize(const std::string& s, size_t i, std::vector<Token>& tokens, int line) {
  while (i < s.size()) {
    char c = s[i];
    if (c == ' ') {
      i++;
    } else if (c == ';') {
      break;
    } else if (c == '"') {
      Token t;
      t.Kind = TokenString;
      if (!ReadString(s, i, t.Text, line)) return false;
      tokens.push_back(t);
    } else if (c == '{') {
      Token t;
      if (!ReadTexts(s, i, t, line)) return false;
      tokens.push_back(t);
    } else {
      size_t end = i;
      while (end < s.size() && s[end] != ' ' && s[end] != ';' && s[end] != '"') end++;
      Token t;
      t.Text = s.substr(i, end - i);
      tokens.push_back(t);
      i = end;
    }
  }
  return true;
}

bool Assembler::BuildTree(const std::string& source) {
  std::vector<Node*> open = {&Root};
  size_t at = 0;
  for (int line = 1; at <= source.size(); line++) {
    size_t end = source.find('\n', at);
    if (end == std::string::npos) end = source.size();
    std::string s = source.substr(at, end - at);
    at = end + 1;
    if (!s.empty() && s.back() == '\r') s.pop_back();
    size_t indent = s.find_first_not_of(' ');
    if (indent == std::string::npos) continue;
    if (s[indent] == '\t') return Fail(line, "indent with spaces, not tabs");
    Node n;
    n.Line = line;
    n.Indent = (int)indent;
    if (s[indent] == '|') {
      n.IsRow = true;
      size_t close = s.find('|', indent + 1);
      n.Row = s.substr(indent + 1, close == std::string::npos ? std::string::npos
                                                                : close - indent - 1);
      while (!n.Row.empty() && n.Row.back() == ' ') n.Row.pop_back();
    } else {
      if (!Tokenize(s, indent, n.Tokens, line)) return false;
      if (n.Tokens.empty()) continue;  // a comment line
    }
    while (open.back()->Indent >= n.Indent) open.pop_back();
    Node* parent = open.back();
    if (!parent->Children.empty() && parent->Children.back().Indent != n.Indent)
      return Fail(line, "indentation does not match any open level");
    if (parent == &Root && n.Indent != 0) return Fail(line, "sections start in column 1");
    parent->Children.push_back(n);
    open.push_back(&parent->Children.back());
  }
  return true;
}

bool Assembler::Attr(const Node& n, size_t& i, std::string& key, std::string& value) {
  const std::string& w = n.Tokens[i].Text;
  size_t eq = w.find('=');
  if (n.Tokens[i].Kind != TokenWord || eq == std::string::npos || eq == 0)
    return Fail(n.Line, "expected key=value, found '" + w + "'");
  key = w.substr(0, eq);
  value = w.substr(eq + 1);
  if (value.empty()) {
    if (i + 1 >= n.Tokens.size()) return Fail(n.Line, key + "= needs a value");
    value = n.Tokens[++i].Text;
  }
  return true;
}

// The attributes of a section line start at token `first`; each must be known.
bool Assembler::CheckAttrs(const Node& n, size_t first, const std::vector<std::string>& allowed) {
  for (size_t i = first; i < n.Tokens.size(); i++) {
    std::string key, value;
    if (!Attr(n, i, key, value)) return false;
    bool known = false;
    for (const std::string& a : allowed) known = known || a == key;
    if (!known) return Fail(n.Line, "unknown attribute " + key);
  }
  return true;
}

static bool FindAttr(const Node& n, const char* key, std::string& value) {
  std::string k = std::string(key) + "=";
  for (size_t i = 0; i < n.Tokens.size(); i++) {
    const std::string& w = n.Tokens[i].Text;
    if (n.Tokens[i].Kind != TokenWord || w.compare(0, k.size(), k) != 0) continue;
    value = w.substr(k.size());
    if (value.empty() && i + 1 < n.Tokens.size()) value = n.Tokens[i + 1].Text;
    return true;
  }
  return false;
}

// key=value parsed by parse into v; v is the fallback when the key is absent.
template <class T>
bool Assembler::NumberAttr(const Node& n, const char* key, T& v, T fallback,
                           bool (*parse)(const std::string&, T&), const char* what) {
  std::string value;
  v = fallback;
  if (!FindAttr(n, key, value)) return true;
  if (!parse(value, v)) return Fail(n.Line, std::string(key) + "= needs " + what);
  return true;
}

bool Assembler::IntAttr(const Node& n, const char* key, int64_t& v, int64_t fallback) {
  return NumberAttr<int64_t>(n, key, v, fallback, ParseInt, "an integer");
}

bool Assembler::RealAttr(const Node& n, const char* key, double& v, double fallback) {
  return NumberAttr<double>(n, key, v, fallback, ParseReal, "a number");
}

bool Assembler::RegisterLabel(const std::string& name, int table, int32_t index, int line) {
  if (name.empty()) return true;
  if (Labels.count(name)) return Fail(line, "label " + name + " is defined twice");
  Labels[name] = {table, index};
  return true;
}

bool Assembler::LookUp(const std::string& name, int line, Label& l) {
  std::map<std::string, Label>::const_iterator it = Labels.find(name);
  if (it == Labels.end()) return Fail(line, "no label " + name);
  l = it->second;
  return true;
}

bool Assembler::AddLiteralDigits(const Node& n, const std::string& literal, Item& item) {
  std::vector<Item> digits;
  for (char c : literal) {
    Item d;
    d.Source = &n;
    d.Table = item.Table;
    if (c >= '0' && c <= '9') d.ElementId = El::digit_0 + (c - '0');
    else if (c == '-') d.ElementId = El::num_minus;
    else if (c == '.') d.ElementId = El::num_point;
    else if (c == 'E' || c == 'e') d.ElementId = El::num_exponent;
    else return Fail(n.Line, "a number literal holds only digits, '-', '.' and 'E'");
    digits.push_back(d);
  }
  item.Children.insert(item.Children.begin(), digits.begin(), digits.end());
  return true;
}

static bool IsRawField(const std::string& key) {
  for (const char* f : RawItemFields)
    if (key == f) return true;
  return false;
}

bool Assembler::ParseItem(const Node& n, int table, Item& item) {
  item.Source = &n;
  item.Table = table;
  if (n.IsRow) return Fail(n.Line, "a pixel row is not an item");
  size_t i = 0;
  const std::string& first = n.Tokens[0].Text;
  if (n.Tokens[0].Kind == TokenWord && first.size() > 1 && first.back() == ':') {
    item.Name = first.substr(0, first.size() - 1);
    if (++i >= n.Tokens.size()) return Fail(n.Line, "a label needs an item");
  }
  const Token& head = n.Tokens[i++];
  if (head.Kind != TokenWord) return Fail(n.Line, "an item starts with its element");
  if (head.Text[0] == '@') {
    item.RefLabel = head.Text.substr(1);
  } else if (head.Text[0] == '#') {
    int64_t id;
    if (!ParseInt(head.Text.substr(1), id)) return Fail(n.Line, "#id needs a number");
    item.ElementId = (int32_t)id;
  } else {
    item.ElementId = ElementIdOfName(head.Text.c_str());
    if (item.ElementId < 0) return Fail(n.Line, "unknown element " + head.Text);
  }
  for (; i < n.Tokens.size(); i++) {
    const Token& t = n.Tokens[i];
    const std::string& w = t.Text;
    if (t.Kind != TokenWord) {
      if (item.OwnText) return Fail(n.Line, "an item has one text of its own");
      item.OwnText = &t;
    } else if (w == "=" || w == "->") {
      if (i + 1 >= n.Tokens.size()) return Fail(n.Line, w + " needs a value");
      if (w == "=") item.Value = &n.Tokens[++i];
      else item.Target = n.Tokens[++i].Text;
    } else if (w[0] == '@') {
      if (!item.RefLabel.empty()) return Fail(n.Line, "an item refers to one declaration");
      item.RefLabel = w.substr(1);
    } else if (w == "off") {
      item.AddedFlags |= 0x10;
    } else if (w == "off80") {
      item.AddedFlags |= 0x80;
    } else if (LooksNumeric(w)) {
      if (!AddLiteralDigits(n, w, item)) return false;
    } else {
      std::string key, value;
      if (!Attr(n, i, key, value)) return false;
      int64_t v;
      if (key == "icon") {
        item.IconRef = value;
      } else if (IsRawField(key) && ParseInt(value, v)) {
        item.Raw.push_back({key, v});
      } else {
        return Fail(n.Line, "unknown item attribute " + key + "=" + value);
      }
    }
  }
  for (const Node& c : n.Children) {
    item.Children.push_back(Item());
    if (!ParseItem(c, table, item.Children.back())) return false;
  }
  return true;
}

// Pre-order indexes and the two tree flags of every item of one table.
void Assembler::LayOut(std::vector<Item>& items, int t) {
  for (size_t k = 0; k < items.size(); k++) {
    Item& item = items[k];
    item.Index = (int32_t)Flat[t].size();
    item.Flags = (item.Children.empty() ? 0 : ItemHasChildren) |
                 (k + 1 < items.size() ? ItemHasNext : 0);
    Flat[t].push_back(&item);
    LayOut(item.Children, t);
  }
}

bool Assembler::ApplyHeader(const Node& n) {
  if (!CheckAttrs(n, 1, {"magic", "version", "word4", "headersize", "tablecount"})) return false;
  std::string magic;
  if (FindAttr(n, "magic", magic)) {
    if (magic.size() != 3) return Fail(n.Line, "magic= needs three characters");
    memcpy(W.Magic, magic.data(), 3);
  }
  int64_t v;
  if (!IntAttr(n, "version", v, W.Version)) return false;
  W.Version = (uint8_t)v;
  if (!IntAttr(n, "word4", v, W.Word4)) return false;
  W.Word4 = (uint32_t)v;
  if (!IntAttr(n, "headersize", v, W.HeaderSize)) return false;
  W.HeaderSize = (uint32_t)v;
  if (!IntAttr(n, "tablecount", v, W.TableCount)) return false;
  W.TableCount = (uint32_t)v;
  return true;
}

static int ItemTableOf(const std::string& section) {
  if (section == "global") return 0;
  if (section == "local") return 1;
  if (section == "program") return 2;
  return -1;
}

bool Assembler::Collect() {
  bool languagesGiven = false;
  for (const Node& n : Root.Children) {
    if (n.IsRow) return Fail(n.Line, "a pixel row outside a picture");
    const std::string& word = n.Tokens[0].Text;
    const MediaSection* section = MediaSectionOf(word);
    int items = ItemTableOf(word), media = section ? section->Table : -1;
    if (items >= 0) {
      for (const Node& c : n.Children) {
        Top[items].push_back(Item());
        if (!ParseItem(c, ItemTables[items], Top[items].back())) return false;
      }
    } else if (media >= 0) {
      if (n.Tokens.size() < 2 || n.Tokens[1].Kind != TokenWord || n.Tokens[1].Text.find('=') !=
                                                                       std::string::npos)
        return Fail(n.Line, word + " needs a name");
      if (!RegisterLabel(n.Tokens[1].Text, media, MediaCount[media]++, n.Line)) return false;
    } else if (word == "languages") {
      languagesGiven = true;
      for (size_t i = 1; i < n.Tokens.size(); i++) {
        const std::string& w = n.Tokens[i].Text;
        size_t colon = w.find(':');
        int64_t id, codePage = 1252;
        if (!ParseInt(w.substr(0, colon), id) ||
            (colon != std::string::npos && !ParseInt(w.substr(colon + 1), codePage)))
          return Fail(n.Line, "languages are written ID or ID:CODEPAGE");
        TextTable.Languages.push_back((uint32_t)id);
        TextTable.CodePages.push_back((uint32_t)codePage);
      }
    } else if (word == "header") {
      if (!ApplyHeader(n)) return false;
    } else if (word != "numbers" && word != "logics" && word != "texts" && word != "key" &&
               word != "table" && word != "bytes" && word != "trailer" && word != "size") {
      return Fail(n.Line, "unknown section " + word);
    }
  }
  if (!languagesGiven) {
    TextTable.Languages.push_back(9);
    TextTable.CodePages.push_back(1252);
  }
  for (int t = 0; t < 3; t++) {
    LayOut(Top[t], t);
    for (Item* item : Flat[t])
      if (!RegisterLabel(item->Name, ItemTables[t], item->Index, item->Source->Line)) return false;
  }
  return true;
}

bool Assembler::AddText(const Token& t, int line, int32_t& index) {
  const std::vector<uint32_t>& languages = TextTable.Languages;
  std::vector<std::string> perBlock(languages.size());
  if (t.Kind == TokenString) {
    for (std::string& s : perBlock) s = t.Text;
  } else if (t.Kind == TokenTexts) {
    std::vector<bool> used(languages.size());
    for (const std::pair<uint32_t, std::string>& v : t.Versions) {
      size_t b = 0;
      while (b < languages.size() && (languages[b] != v.first || used[b])) b++;
      if (b == languages.size())
        return Fail(line, "no text block for language " + std::to_string(v.first));
      used[b] = true;
      perBlock[b] = v.second;
    }
  } else {
    return Fail(line, "expected a text, found '" + t.Text + "'");
  }
  index = TextTable.Add(perBlock);
  return true;
}

// The initial value of a declaration: a new REAL, BOOL or TEXT record, or a
// constant of a media table named by its label.
bool Assembler::AddValue(const Token& t, int line, int32_t& table, int32_t& index) {
  double v;
  if (t.Kind != TokenWord) {
    table = TableText;
    return AddText(t, line, index);
  }
  if (t.Text == "true" || t.Text == "false") {
    table = TableBool;
    index = W.AddBool(t.Text == "true");
  } else if (ParseReal(t.Text, v)) {
    table = TableReal;
    index = W.AddReal(v);
  } else {
    Label l;
    if (!LookUp(t.Text, line, l)) return false;
    if (l.Table < TablePicture) return Fail(line, t.Text + " is an item, not a constant");
    table = l.Table;
    index = l.Index;
  }
  return true;
}

int32_t Assembler::ImportIndex(int32_t element) {
  std::map<int32_t, int32_t>::const_iterator it = Imports.find(element);
  if (it != Imports.end()) return it->second;
  const char* name = ElementNameOfId(element);
  return Imports[element] = W.AddImportName(name ? name : "#" + std::to_string(element));
}

bool Assembler::EmitItem(Item& item) {
  int line = item.Source->Line;
  int32_t element = item.ElementId, refTable = RefElement, refIndex = 0;
  int32_t dataTable = DataNone, dataIndex = -1, iconIndex = -1, textIndex = -1;
  if (!item.RefLabel.empty()) {
    Label l;
    if (!LookUp(item.RefLabel, line, l)) return false;
    if (l.Table != TableGlobal && l.Table != TableLocal)
      return Fail(line, "@" + item.RefLabel + " must name a GLOBAL or LOCAL item");
    refTable = l.Table == TableGlobal ? RefGlobal : RefLocal;
    refIndex = l.Index;
    if (element < 0) element = Flat[l.Table == TableGlobal ? 0 : 1][l.Index]->ElementId;
    if (element < 0) return Fail(line, "@" + item.RefLabel + " has no element of its own");
  } else {
    refIndex = ImportIndex(element);
  }
  if (item.OwnText && !AddText(*item.OwnText, line, textIndex)) return false;
  if (item.Value && !AddValue(*item.Value, line, dataTable, dataIndex)) return false;
  if (!item.Target.empty()) {
    Label l;
    if (!LookUp(item.Target, line, l)) return false;
    if (l.Table != TableLocal && l.Table != TableProgram)
      return Fail(line, "-> must name a LOCAL or PROGRAM item");
    dataTable = l.Table == TableLocal ? DataLocal : DataProgram;
    dataIndex = l.Index;
  }
  if (!item.IconRef.empty() && !IconIndexOf(item.IconRef, line, iconIndex)) return false;
  uint32_t flags = item.Flags | item.AddedFlags;
  for (const std::pair<std::string, int64_t>& r : item.Raw) {
    int32_t v = (int32_t)r.second;
    if (r.first == "flags") flags = (uint32_t)v;
    else if (r.first == "setflags") flags |= (uint32_t)v;
    else if (r.first == "reftable") refTable = v;
    else if (r.first == "refindex") refIndex = v;
    else if (r.first == "datatable") dataTable = v;
    else if (r.first == "dataindex") dataIndex = v;
    else if (r.first == "iconindex") iconIndex = v;
    else if (r.first == "textindex") textIndex = v;
    else element = v;
  }
  W.AddItem(item.Table, flags, refTable, refIndex, dataTable, dataIndex, iconIndex, textIndex,
            element);
  return true;
}

bool Assembler::EmitItems() {
  for (int t = 0; t < 3; t++)
    for (Item* item : Flat[t])
      if (!EmitItem(*item)) return false;
  return true;
}

// One entry of a key line, C=VALUE: the character and its value's text.
static bool KeyEntry(const Token& t, uint8_t& c, std::string& value) {
  if (t.Kind != TokenWord || t.Text.size() < 3 || t.Text[1] != '=') return false;
  c = (uint8_t)t.Text[0];
  value = t.Text.substr(2);
  return true;
}

// key .=0 o=200: grid characters and their palette indexes.
bool Assembler::ReadKey(const Node& n, int* key) {
  for (size_t i = 1; i < n.Tokens.size(); i++) {
    uint8_t c;
    std::string value;
    int64_t v;
    if (!KeyEntry(n.Tokens[i], c, value) || !ParseInt(value, v) || v < 0 || v > 255)
      return Fail(n.Line, "key entries are written C=INDEX (0..255)");
    key[c] = (int)v;
  }
  return true;
}

// Rows are written top row first; images are stored bottom row first.
bool Assembler::Grid(const Node& n, const int* baseKey, uint32_t w, uint32_t h, uint8_t fill,
                     std::vector<uint8_t>& pixels) {
  if ((uint64_t)w * h > 16u << 20) return Fail(n.Line, "picture too large to write");
  pixels.assign((size_t)w * h, fill);
  int key[256];
  memcpy(key, baseKey, sizeof key);
  uint32_t y = 0;
  for (const Node& c : n.Children) {
    if (!c.IsRow) {
      if (c.Tokens[0].Text == "key") {
        if (!ReadKey(c, key)) return false;
        continue;
      }
      if (c.Tokens[0].Text == "frame") continue;  // a sprite's pictures, read by EmitSprite
      return Fail(c.Line, "expected a pixel row or a key, found " + c.Tokens[0].Text);
    }
    if (y >= h) return Fail(c.Line, "more rows than the picture is high");
    if (c.Row.size() > w) return Fail(c.Line, "row wider than the picture");
    for (size_t x = 0; x < c.Row.size(); x++) {
      int v = key[(uint8_t)c.Row[x]];
      if (v < 0) return Fail(c.Line, std::string("no key for '") + c.Row[x] + "'");
      pixels[(size_t)(h - 1 - y) * w + x] = (uint8_t)v;
    }
    y++;
  }
  return true;
}

bool Assembler::HexBytes(const Node& n, size_t first, std::vector<uint8_t>& out) {
  for (size_t i = first; i < n.Tokens.size(); i++) {
    const std::string& w = n.Tokens[i].Text;
    if (w.size() % 2 != 0 || w.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
      return Fail(n.Line, "bytes are written as pairs of hexadecimal digits");
    for (size_t k = 0; k < w.size(); k += 2)
      out.push_back((uint8_t)strtol(w.substr(k, 2).c_str(), nullptr, 16));
  }
  return true;
}

bool Assembler::EmitIcon(const Node& n) {
  int64_t fill, size;
  std::vector<uint8_t> pixels;
  if (!CheckAttrs(n, 2, {"fill", "size"}) || !IntAttr(n, "fill", fill, 0) ||
      !IntAttr(n, "size", size, -1) || !Grid(n, Key, 32, 32, (uint8_t)fill, pixels))
    return false;
  W.AddIcon(pixels, size);
  return true;
}

bool Assembler::EmitPicture(const Node& n) {
  int64_t w, h, fill, size;
  std::vector<uint8_t> pixels;
  if (!CheckAttrs(n, 2, {"w", "h", "fill", "size"}) || !IntAttr(n, "w", w, 32) ||
      !IntAttr(n, "h", h, 32) || !IntAttr(n, "fill", fill, 0) || !IntAttr(n, "size", size, -1) ||
      !Grid(n, Key, (uint32_t)w & 0xFFFF, (uint32_t)h & 0xFFFF, (uint8_t)fill, pixels))
    return false;
  W.AddPicture((uint32_t)w, (uint32_t)h, pixels, size);
  return true;
}

bool Assembler::IconIndexOf(const std::string& ref, int line, int32_t& index) {
  int64_t v;
  Label l;
  if (ParseInt(ref, v)) return index = (int32_t)v, true;
  if (!LookUp(ref, line, l)) return false;
  if (l.Table != TablePicture) return Fail(line, ref + " is not a picture");
  index = l.Index;
  return true;
}

// key #=wall o=coin:0x801: map row characters and the icon (a picture or a
// raw index) and parameter of their cells; without :PARAM the map's param=.
bool Assembler::ReadMapKey(const Node& n, uint32_t mapParam, MapCellKey* key) {
  for (size_t i = 1; i < n.Tokens.size(); i++) {
    uint8_t c;
    std::string value;
    if (!KeyEntry(n.Tokens[i], c, value))
      return Fail(n.Line, "map key entries are written C=ICON or C=ICON:PARAM");
    size_t colon = value.find(':');
    int64_t param = mapParam;
    if (colon != std::string::npos && !ParseInt(value.substr(colon + 1), param))
      return Fail(n.Line, "a map key's :PARAM needs an integer");
    if (!IconIndexOf(value.substr(0, colon), n.Line, key[c].Icon)) return false;
    key[c].Param = (uint32_t)param;
    key[c].Given = true;
  }
  return true;
}

// One map row of keys into cells row y (0 is the bottom row).
bool Assembler::MapRow(const Node& row, const MapCellKey* key, int64_t w, int64_t y,
                       int64_t cellCount, std::vector<uint32_t>& cells) {
  if ((int64_t)row.Row.size() != w)
    return Fail(row.Line, "a map row holds one key per cell: " + std::to_string(w) + ", not " +
                              std::to_string(row.Row.size()));
  for (int64_t x = 0; x < w; x++) {
    const MapCellKey& k = key[(uint8_t)row.Row[x]];
    if (!k.Given) return Fail(row.Line, std::string("no key for '") + row.Row[x] + "'");
    int64_t at = x + y * w;
    if (at >= cellCount) return Fail(row.Line, "cell outside the map");
    cells[2 * at] = (uint32_t)k.Icon;
    cells[2 * at + 1] = k.Param;
  }
  return true;
}

// The cells are the map's icon and param, then its rows (written top row
// first) and cell lines in the order given.
bool Assembler::EmitMap(const Node& n) {
  int64_t w, h, param, cellCount;
  std::string icon = "0";
  FindAttr(n, "icon", icon);
  int32_t iconIndex;
  if (!CheckAttrs(n, 2, {"w", "h", "icon", "param", "cells"}) || !IntAttr(n, "w", w, 1) ||
      !IntAttr(n, "h", h, 1) || !IntAttr(n, "param", param, 0) ||
      !IntAttr(n, "cells", cellCount, (int64_t)(uint32_t)w * (uint32_t)h) ||
      !IconIndexOf(icon, n.Line, iconIndex))
    return false;
  if (cellCount < 0 || cellCount > 4 << 20) return Fail(n.Line, "too many map cells to write");
  std::vector<uint32_t> cells;
  for (int64_t k = 0; k < cellCount; k++) cells.insert(cells.end(), {(uint32_t)iconIndex, (uint32_t)param});
  MapCellKey key[256];
  key[(uint8_t)'.'] = {true, iconIndex, (uint32_t)param};
  int64_t rows = 0;
  for (const Node& c : n.Children) {
    if (c.IsRow) {
      if (rows >= h) return Fail(c.Line, "more rows than the map is high");
      if (!MapRow(c, key, w, h - 1 - rows++, cellCount, cells)) return false;
      continue;
    }
    if (c.Tokens[0].Text == "key") {
      if (!ReadMapKey(c, (uint32_t)param, key)) return false;
      continue;
    }
    int64_t x, y, cellParam;
    std::string iconRef = icon;
    if (c.Tokens[0].Text != "cell" || c.Tokens.size() < 3 || !ParseInt(c.Tokens[1].Text, x) ||
        !ParseInt(c.Tokens[2].Text, y))
      return Fail(c.Line, "map cells are written: cell X Y [icon=] [param=]");
    FindAttr(c, "icon", iconRef);
    if (!CheckAttrs(c, 3, {"icon", "param"}) || !IntAttr(c, "param", cellParam, param) ||
        !IconIndexOf(iconRef, c.Line, iconIndex))
      return false;
    int64_t at = x + y * w;
    if (x < 0 || y < 0 || x >= w || at >= cellCount) return Fail(c.Line, "cell outside the map");
    cells[2 * at] = (uint32_t)iconIndex;
    cells[2 * at + 1] = (uint32_t)cellParam;
  }
  if (rows > 0 && rows < h)
    return Fail(n.Line, "a map written in rows needs all " + std::to_string(h) + " of them, not " +
                            std::to_string(rows));
  W.AddMap((uint32_t)w, (uint32_t)h, cells);
  return true;
}

bool Assembler::EmitSprite(const Node& n) {
  ImageSpriteRecord s;
  ImageSpriteHeader& h = s.Header;
  int64_t phases, directions, rest, w, hi, delay, level, frames, fill;
  if (!CheckAttrs(n, 2, {"phases", "directions", "rest", "w", "h", "delay", "level", "step",
                         "frames", "fill"}) ||
      !IntAttr(n, "phases", phases, 1) || !IntAttr(n, "directions", directions, 1) ||
      !IntAttr(n, "rest", rest, 1) || !IntAttr(n, "w", w, 32) || !IntAttr(n, "h", hi, 32) ||
      !IntAttr(n, "delay", delay, 55) || !IntAttr(n, "level", level, 1000) ||
      !RealAttr(n, "step", h.StepsPerField, 8.0) || !IntAttr(n, "fill", fill, 0) ||
      !IntAttr(n, "frames", frames, (int64_t)((uint64_t)(uint32_t)phases * (uint32_t)directions)))
    return false;
  h.Phases = (uint32_t)phases;
  h.Directions = (uint32_t)directions;
  h.RestPhases = (uint32_t)rest;
  h.Width = (uint16_t)w;
  h.Height = (uint16_t)hi;
  h.Delay = (uint32_t)delay;
  h.Level = (uint32_t)level;
  if (frames < 0 || frames > 65536) return Fail(n.Line, "too many sprite pictures to write; use frames=");
  int key[256];
  memcpy(key, Key, sizeof key);
  std::vector<const Node*> given;
  for (const Node& c : n.Children) {
    if (c.IsRow) return Fail(c.Line, "sprite pictures are written under frame lines");
    if (c.Tokens[0].Text == "key") {
      if (!ReadKey(c, key)) return false;
    } else if (c.Tokens[0].Text == "frame") {
      given.push_back(&c);
    } else {
      return Fail(c.Line, "a sprite holds key and frame lines");
    }
  }
  if ((int64_t)given.size() > frames) return Fail(n.Line, "more frames than the sprite has pictures");
  for (int64_t k = 0; k < frames; k++) {
    std::vector<uint8_t> pixels((size_t)h.Width * h.Height, (uint8_t)fill);
    int64_t size = -1;
    if (k < (int64_t)given.size()) {
      const Node& f = *given[k];
      int64_t frameFill;
      if (!CheckAttrs(f, 1, {"fill", "size"}) || !IntAttr(f, "fill", frameFill, fill) ||
          !IntAttr(f, "size", size, -1) ||
          !Grid(f, key, h.Width, h.Height, (uint8_t)frameFill, pixels))
        return false;
    }
    s.Pictures.push_back(pixels);
    s.SizeWords.push_back(size);
  }
  W.AddSprite(s);
  return true;
}

// The frames of a sine tone, every channel alike.
static void AppendTone(std::vector<uint8_t>& data, double frequency, double seconds,
                       double amplitude, uint32_t rate, int bits, int channels) {
  int64_t frames = (int64_t)(seconds * rate + 0.5);
  for (int64_t i = 0; i < frames; i++) {
    double v = amplitude * sin(2 * Pi * frequency * (double)i / rate);
    for (int c = 0; c < channels; c++) {
      if (bits == 8) {
        data.push_back((uint8_t)lround(128 + v * 127));
      } else {
        Append16(data, (uint16_t)(int16_t)lround(v * 32767));
      }
    }
  }
}

bool Assembler::EmitSound(const Node& n) {
  ImageSoundHeader h = {0, 22050, 1, 1, 16};
  int64_t rate, bits, channels, format, size;
  if (!CheckAttrs(n, 2, {"rate", "bits", "channels", "format", "size"}) ||
      !IntAttr(n, "rate", rate, 22050) || !IntAttr(n, "bits", bits, 16) ||
      !IntAttr(n, "channels", channels, 1) || !IntAttr(n, "format", format, 1) ||
      !IntAttr(n, "size", size, -1))
    return false;
  h.SamplesPerSecond = (uint32_t)rate;
  h.BitsPerSample = (uint8_t)bits;
  h.Channels = (uint8_t)channels;
  h.FormatTag = (uint16_t)format;
  std::vector<uint8_t> data;
  for (const Node& c : n.Children) {
    const std::string& what = c.IsRow ? std::string() : c.Tokens[0].Text;
    if (what == "bytes") {
      if (!HexBytes(c, 1, data)) return false;
    } else if (what == "samples") {
      for (size_t i = 1; i < c.Tokens.size(); i++) {
        int64_t v;
        if (!ParseInt(c.Tokens[i].Text, v)) return Fail(c.Line, "samples are integers");
        if (bits == 8) data.push_back((uint8_t)v);
        else Append16(data, (uint16_t)v);
      }
    } else if (what == "tone") {
      double frequency, seconds, amplitude = 0.5;
      if (c.Tokens.size() < 3 || !ParseReal(c.Tokens[1].Text, frequency) ||
          !ParseReal(c.Tokens[2].Text, seconds) ||
          (c.Tokens.size() > 3 && !ParseReal(c.Tokens[3].Text, amplitude)))
        return Fail(c.Line, "a tone is written: tone FREQUENCY SECONDS [AMPLITUDE]");
      AppendTone(data, frequency, seconds, amplitude, h.SamplesPerSecond, (int)bits,
                 channels < 1 ? 1 : (int)channels);
    } else {
      return Fail(c.Line, "a sound holds bytes, samples and tone lines");
    }
  }
  W.AddSound(h, data, size);
  return true;
}

bool Assembler::EmitMusic(const Node& n) {
  int64_t size;
  if (!CheckAttrs(n, 2, {"size"}) || !IntAttr(n, "size", size, -1)) return false;
  std::vector<uint8_t> data;
  std::vector<int> notes;
  bool raw = false;
  for (const Node& c : n.Children) {
    const std::string& what = c.IsRow ? std::string() : c.Tokens[0].Text;
    if (what == "bytes") {
      raw = true;
      if (!HexBytes(c, 1, data)) return false;
    } else if (what == "notes") {
      for (size_t i = 1; i < c.Tokens.size(); i++) {
        int64_t v;
        if (!ParseInt(c.Tokens[i].Text, v) || v < 0 || v > 127)
          return Fail(c.Line, "notes are numbers 0..127");
        notes.push_back((int)v);
      }
    } else {
      return Fail(c.Line, "music holds notes or bytes lines");
    }
  }
  if (!raw) data = TinyMidiFile(notes.empty() ? std::vector<int>{60} : notes);
  W.AddMusic(data, size);
  return true;
}

bool Assembler::EmitConstants() {
  for (const Node& n : Root.Children) {
    const std::string& word = n.Tokens[0].Text;
    bool ok = true;
    if (word == "numbers") {
      for (size_t i = 1; i < n.Tokens.size() && ok; i++) {
        double v = 0;
        ok = ParseReal(n.Tokens[i].Text, v) || Fail(n.Line, "numbers are written as numbers");
        if (ok) W.AddReal(v);
      }
    } else if (word == "logics") {
      for (size_t i = 1; i < n.Tokens.size() && ok; i++) {
        const std::string& w = n.Tokens[i].Text;
        ok = w == "true" || w == "false" || Fail(n.Line, "logics are true or false");
        if (ok) W.AddBool(w == "true");
      }
    } else if (word == "texts") {
      int32_t index;
      for (size_t i = 1; i < n.Tokens.size() && ok; i++) ok = AddText(n.Tokens[i], n.Line, index);
    } else if (word == "key") {
      ok = ReadKey(n, Key);
    } else if (const MediaSection* m = MediaSectionOf(word)) {
      ok = (this->*m->Emit)(n);
    }
    if (!ok) return false;
  }
  return true;
}

bool Assembler::TableOf(const Node& n, size_t i, int& table) {
  if (i >= n.Tokens.size()) return Fail(n.Line, "a table name or index is missing");
  std::string w = n.Tokens[i].Text;
  int64_t v;
  if (ParseInt(w, v) && v >= 0 && v < ImageTableCount) return table = (int)v, true;
  for (char& c : w) c = (char)toupper((unsigned char)c);
  for (table = 0; table < ImageTableCount; table++)
    if (w == ImageTableNames[table]) return true;
  return Fail(n.Line, "no table " + n.Tokens[i].Text);
}

bool Assembler::EmitRaw() {
  for (const Node& n : Root.Children) {
    const std::string& word = n.Tokens[0].Text;
    int table;
    if (word == "table") {
      if (!TableOf(n, 1, table) ||
          !CheckAttrs(n, 2, {"count", "bytesize", "name", "extra0", "extra1", "extra2", "extra3"}))
        return false;
      ImageTableData& t = W.Tables[table];
      int64_t v;
      if (!IntAttr(n, "count", v, t.Count)) return false;
      t.Count = (uint32_t)v;
      if (!IntAttr(n, "bytesize", v, -1)) return false;
      if (v >= 0) t.OverrideByteSize = true, t.ByteSize = (uint32_t)v;
      FindAttr(n, "name", t.Name);
      for (int e = 0; e < 4; e++) {
        std::string key = "extra" + std::to_string(e);
        if (!IntAttr(n, key.c_str(), v, t.Extra[e])) return false;
        t.Extra[e] = (uint32_t)v;
      }
    } else if (word == "bytes") {
      if (!TableOf(n, 1, table) || !HexBytes(n, 2, W.Tables[table].Bytes)) return false;
    } else if (word == "trailer") {
      if (!HexBytes(n, 1, W.Trailer)) return false;
    } else if (word == "size") {
      int64_t v;
      if (n.Tokens.size() != 2 || !ParseInt(n.Tokens[1].Text, v) || v < 0)
        return Fail(n.Line, "size needs the image size in bytes");
      W.FinalSize = v;
    }
  }
  return true;
}

bool Assembler::Run(const std::string& source) {
  if (!BuildTree(source) || !Collect() || !EmitConstants() || !EmitItems()) return false;
  TextTable.WriteTo(W.Tables[TableText], W.TransformsTexts());
  return EmitRaw();
}

}  // namespace

bool AssembleProgram(const std::string& source, ImageWriter& writer, std::string& error) {
  Assembler a(writer);
  bool ok = a.Run(source);
  error = a.Error;
  return ok;
}

bool AssembleImage(const std::string& source, std::vector<uint8_t>& image, std::string& error) {
  ImageWriter writer;
  image.clear();
  if (!AssembleProgram(source, writer, error)) return false;
  image = writer.Write();
  return true;
}

std::vector<uint8_t> AssembleOrEmpty(const std::string& source, std::string* error) {
  std::vector<uint8_t> image;
  std::string e;
  AssembleImage(source, image, e);
  if (error) *error = e;
  return image;
}
