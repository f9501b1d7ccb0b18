#include "datafile.h"

#include "store.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace sim {

namespace {

struct ParseError : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

struct Token
{
    std::string text;
    bool quoted = false;
};

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string Unescape(std::string_view text, size_t &pos)
{
    std::string out;
    ++pos; // opening quote
    while (pos < text.size() && text[pos] != '"') {
        char c = text[pos++];
        if (c == '\\' && pos < text.size()) {
            const char e = text[pos++];
            if (e == 'n')
                c = '\n';
            else if (e == 't')
                c = '\t';
            else if (e == 'x' && pos + 1 < text.size() && HexDigit(text[pos]) >= 0
                     && HexDigit(text[pos + 1]) >= 0) {
                c = static_cast<char>(HexDigit(text[pos]) * 16 + HexDigit(text[pos + 1]));
                pos += 2;
            } else
                c = e;
        }
        out += c;
    }
    if (pos >= text.size())
        throw ParseError("unterminated quoted text");
    ++pos; // closing quote
    return out;
}

std::vector<Token> Tokenize(std::string_view line)
{
    std::vector<Token> tokens;
    size_t pos = 0;
    while (pos < line.size()) {
        const char c = line[pos];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++pos;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            tokens.push_back({Unescape(line, pos), true});
        } else {
            const size_t start = pos;
            while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t' && line[pos] != '\r')
                ++pos;
            tokens.push_back({std::string(line.substr(start, pos - start)), false});
        }
    }
    return tokens;
}

int64_t ParseNumber(std::string_view text)
{
    int64_t v = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (error != std::errc() || end != text.data() + text.size())
        throw ParseError("not a number: " + std::string(text));
    return v;
}

// "1,2,5..9" -> ranges
std::vector<Range> ParseRanges(std::string_view text)
{
    std::vector<Range> ranges;
    while (!text.empty()) {
        const size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        const size_t dots = item.find("..", 1);
        if (dots == std::string_view::npos) {
            const int64_t v = ParseNumber(item);
            ranges.push_back({v, v});
        } else {
            ranges.push_back(
                {ParseNumber(item.substr(0, dots)), ParseNumber(item.substr(dots + 2))});
        }
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return ranges;
}

Bytes ParseHex(std::string_view text)
{
    if (text.size() % 2 != 0)
        throw ParseError("odd number of hex digits: " + std::string(text));
    Bytes bytes;
    for (size_t i = 0; i < text.size(); i += 2) {
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0)
            throw ParseError("not hex: " + std::string(text));
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}

Bytes ParseIp(std::string_view text)
{
    const auto oid = Oid::parse(text);
    if (!oid || oid->size() != 4)
        throw ParseError("not an IP address: " + std::string(text));
    Bytes bytes;
    for (uint32_t id : oid->ids()) {
        if (id > 255)
            throw ParseError("not an IP address: " + std::string(text));
        bytes += static_cast<char>(id);
    }
    return bytes;
}

Oid ParseOid(std::string_view text)
{
    const auto oid = Oid::parse(text);
    if (!oid)
        throw ParseError("not an OID: " + std::string(text));
    return *oid;
}

Bytes ParseOctets(const Token &token)
{
    if (token.quoted)
        return token.text;
    std::string_view text = token.text;
    if (text.substr(0, 2) != "0x")
        throw ParseError("octets must be 0xHEX or \"text\": " + token.text);
    return ParseHex(text.substr(2));
}

Value ParseValue(Syntax syntax, const Token &token)
{
    switch (syntax) {
    case Syntax::Integer:
        return Value::integer(ParseNumber(token.text));
    case Syntax::Counter:
    case Syntax::Gauge:
    case Syntax::TimeTicks:
    case Syntax::Counter64: {
        const int64_t v = ParseNumber(token.text);
        if (v < 0)
            throw ParseError("negative unsigned value: " + token.text);
        return Value::unsignedOf(WireType(syntax), static_cast<uint64_t>(v));
    }
    case Syntax::Text:
        if (!token.quoted)
            throw ParseError("text must be quoted: " + token.text);
        return Value::octets(token.text);
    case Syntax::Octets:
    case Syntax::PortList:
    case Syntax::Mac:
        return Value::octets(ParseOctets(token));
    case Syntax::IpAddress:
        return Value::ipAddress(ParseIp(token.text));
    case Syntax::ObjectId:
        return Value::objectId(ParseOid(token.text));
    }
    throw ParseError("unknown syntax");
}

Access ParseAccess(std::string_view text)
{
    if (text == "ro")
        return Access::ReadOnly;
    if (text == "rw")
        return Access::ReadWrite;
    if (text == "na")
        return Access::NotAccessible;
    throw ParseError("access must be ro, rw or na: " + std::string(text));
}

IndexPart ParseIndexPart(std::string_view text)
{
    static const std::pair<std::string_view, IndexKind> kinds[] = {
        {"integer", IndexKind::Integer},
        {"string", IndexKind::String},
        {"implied", IndexKind::ImpliedString},
        {"ipaddress", IndexKind::IpAddress},
        {"mac", IndexKind::Mac},
        {"oid", IndexKind::ObjectId},
    };
    const size_t colon = text.find(':');
    const std::string_view kindName = text.substr(0, colon);
    for (const auto &[name, kind] : kinds) {
        if (name == kindName) {
            IndexPart part{kind, {}};
            if (colon != std::string_view::npos)
                part.limits = ParseRanges(text.substr(colon + 1));
            return part;
        }
    }
    throw ParseError("unknown index kind: " + std::string(text));
}

// Encodes one index component of a row line as sub-identifiers.
void AppendIndex(const IndexPart &part, const Token &token, Oid &index)
{
    switch (part.kind) {
    case IndexKind::Integer:
        index.append(static_cast<uint32_t>(ParseNumber(token.text)));
        return;
    case IndexKind::String:
    case IndexKind::ImpliedString:
        if (part.kind == IndexKind::String)
            index.append(static_cast<uint32_t>(token.text.size()));
        for (unsigned char c : token.text)
            index.append(c);
        return;
    case IndexKind::IpAddress:
        for (unsigned char c : ParseIp(token.text))
            index.append(c);
        return;
    case IndexKind::Mac:
        for (unsigned char c : ParseHex(token.text))
            index.append(c);
        return;
    case IndexKind::ObjectId: {
        const Oid oid = ParseOid(token.text);
        index.append(static_cast<uint32_t>(oid.size()));
        index = index + oid;
        return;
    }
    }
}

class Loader
{
public:
    explicit Loader(Store &store)
        : m_store(store)
    {}

    void line(const std::vector<Token> &tokens)
    {
        const std::string &keyword = tokens.front().text;
        if (keyword == "scalar")
            scalar(tokens);
        else if (keyword == "table")
            table(tokens);
        else if (keyword == "column")
            column(tokens);
        else if (keyword == "row")
            row(tokens);
        else
            throw ParseError("unknown keyword: " + keyword);
    }

private:
    // <name> <syntax> <access> [values R] [size R] [default V] from position pos on
    ObjectDef definition(const std::vector<Token> &tokens, size_t pos, size_t end)
    {
        if (end < pos + 3)
            throw ParseError("expected name, syntax and access");
        ObjectDef def;
        def.name = tokens[pos].text;
        const auto syntax = SyntaxFromName(tokens[pos + 1].text);
        if (!syntax)
            throw ParseError("unknown syntax: " + tokens[pos + 1].text);
        def.syntax = *syntax;
        def.access = ParseAccess(tokens[pos + 2].text);
        for (pos += 3; pos < end;) {
            const std::string &what = tokens[pos].text;
            if (what == "fixed" || what == "secret") {
                (what == "fixed" ? def.fixedWhenValid : def.secret) = true;
                ++pos;
                continue;
            }
            if (pos + 1 >= end)
                throw ParseError("missing argument of " + what);
            if (what == "values")
                def.values = ParseRanges(tokens[pos + 1].text);
            else if (what == "size")
                def.sizes = ParseRanges(tokens[pos + 1].text);
            else if (what == "default")
                def.defaultValue = ParseValue(def.syntax, tokens[pos + 1]);
            else
                throw ParseError("unknown attribute: " + what);
            pos += 2;
        }
        return def;
    }

    static size_t find(const std::vector<Token> &tokens, std::string_view word)
    {
        for (size_t i = 0; i < tokens.size(); ++i) {
            if (!tokens[i].quoted && tokens[i].text == word)
                return i;
        }
        return tokens.size();
    }

    void scalar(const std::vector<Token> &tokens)
    {
        const size_t equals = find(tokens, "=");
        if (tokens.size() < 2 || equals + 2 != tokens.size())
            throw ParseError("scalar needs: scalar OID name syntax access [...] = value");
        ObjectDef def = definition(tokens, 2, equals);
        def.oid = ParseOid(tokens[1].text);
        const ObjectDef &added = m_store.addObject(std::move(def));
        if (tokens.back().text != "-" || tokens.back().quoted)
            m_store.put(added.oid + Oid{0}, ParseValue(added.syntax, tokens.back()));
    }

    void table(const std::vector<Token> &tokens)
    {
        if (tokens.size() < 5 || tokens[3].text != "index")
            throw ParseError(
                "table needs: table OID name index KIND... [rowstatus N | status N delete V | "
                "entrystatus N]");
        TableDef table;
        table.entry = ParseOid(tokens[1].text);
        table.name = tokens[2].text;
        std::vector<Token> rest = tokens;
        if (rest.size() > 2 && rest[rest.size() - 2].text == "maxrows") {
            table.maxRows = static_cast<size_t>(ParseNumber(rest.back().text));
            rest.resize(rest.size() - 2);
        }
        parseTableEnd(rest, table);
        m_table = &m_store.addTable(std::move(table));
    }

    static void parseTableEnd(const std::vector<Token> &tokens, TableDef &table)
    {
        size_t pos = 4;
        for (; pos < tokens.size() && tokens[pos].text != "rowstatus"
               && tokens[pos].text != "status" && tokens[pos].text != "entrystatus";
             ++pos)
            table.index.push_back(ParseIndexPart(tokens[pos].text));
        if (pos < tokens.size() && tokens[pos].text == "rowstatus" && pos + 2 == tokens.size()) {
            table.control = RowControl::RowStatus;
            table.controlColumn = static_cast<uint32_t>(ParseNumber(tokens[pos + 1].text));
        } else if (pos < tokens.size() && tokens[pos].text == "status" && pos + 4 == tokens.size()
                   && tokens[pos + 2].text == "delete") {
            table.control = RowControl::DeleteValue;
            table.controlColumn = static_cast<uint32_t>(ParseNumber(tokens[pos + 1].text));
            table.deleteValue = ParseNumber(tokens[pos + 3].text);
        } else if (pos < tokens.size() && tokens[pos].text == "entrystatus"
                   && pos + 2 == tokens.size()) {
            table.control = RowControl::EntryStatus;
            table.controlColumn = static_cast<uint32_t>(ParseNumber(tokens[pos + 1].text));
        } else if (pos != tokens.size()) {
            throw ParseError("bad row control of table " + table.name);
        }
    }

    void column(const std::vector<Token> &tokens)
    {
        if (!m_table)
            throw ParseError("column outside a table");
        if (tokens.size() < 2)
            throw ParseError("column needs a number");
        ObjectDef def = definition(tokens, 2, tokens.size());
        def.column = static_cast<uint32_t>(ParseNumber(tokens[1].text));
        if (m_table->column(def.column))
            throw ParseError("column defined twice: " + tokens[1].text);
        m_store.addColumn(*m_table, std::move(def));
    }

    void row(const std::vector<Token> &tokens)
    {
        if (!m_table)
            throw ParseError("row outside a table");
        const size_t equals = find(tokens, "=");
        if (equals == tokens.size() || equals - 1 != m_table->index.size())
            throw ParseError("row needs one value per index component, then =");
        Oid index;
        for (size_t i = 0; i < m_table->index.size(); ++i)
            AppendIndex(m_table->index[i], tokens[i + 1], index);
        if (!m_table->validIndex(index))
            throw ParseError("index outside the table's index limits");
        std::vector<const ObjectDef *> served;
        for (const ObjectDef *def : m_table->columns) {
            if (def->access != Access::NotAccessible)
                served.push_back(def);
        }
        if (tokens.size() - equals - 1 != served.size())
            throw ParseError("row of " + m_table->name + " needs " + std::to_string(served.size())
                             + " values");
        for (size_t i = 0; i < served.size(); ++i) {
            const Token &token = tokens[equals + 1 + i];
            if (token.text == "-" && !token.quoted)
                continue;
            m_store.put(served[i]->oid + index, ParseValue(served[i]->syntax, token));
        }
    }

    Store &m_store;
    TableDef *m_table = nullptr;
};

} // namespace

std::string LoadDataText(const std::string &text, const std::string &name, Store &store)
{
    Loader loader(store);
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        try {
            const std::vector<Token> tokens = Tokenize(line);
            if (!tokens.empty())
                loader.line(tokens);
        } catch (const ParseError &error) {
            return name + ":" + std::to_string(number) + ": " + error.what();
        }
    }
    return {};
}

std::string LoadDataFile(const std::string &path, Store &store)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return path + ": cannot be read";
    std::ostringstream text;
    text << in.rdbuf();
    return LoadDataText(text.str(), path, store);
}

} // namespace sim
