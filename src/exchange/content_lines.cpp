#include "exchange/content_lines.h"

#include "exchange/text_codec.h"

namespace quillora {

namespace {

// The physical line starting at `pos`, without its end; `pos` moves past
// the end (LF, CR or CR LF).
std::string_view NextPhysicalLine(std::string_view bytes, std::size_t& pos) {
    const std::size_t start = pos;
    // A plain loop: find_first_of tests each byte against the set of two
    // and costs several times as much on long lines.
    std::size_t end = start;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
        ++end;
    if (end == bytes.size()) {
        pos = end;
        return bytes.substr(start);
    }
    pos = end + 1;
    if (bytes[end] == '\r' && pos < bytes.size() && bytes[pos] == '\n') ++pos;
    return bytes.substr(start, end - start);
}

bool IsQuotedPrintable(std::string_view firstPhysicalLine) {
    const std::size_t colon = firstPhysicalLine.find(':');
    const std::string head = AsciiUpper(firstPhysicalLine.substr(0, colon));
    return head.find("QUOTED-PRINTABLE") != std::string::npos;
}

}  // namespace

std::string ContentLine::Param(std::string_view upperName) const {
    for (const auto& [name, value] : params) {
        if (name == upperName) return value;
    }
    return {};
}

bool ContentLine::HasValue(std::string_view upperValue) const {
    for (const auto& [name, value] : params) {
        std::size_t start = 0;
        // TYPE=HOME,PREF holds several values.
        while (start <= value.size()) {
            std::size_t comma = value.find(',', start);
            if (comma == std::string::npos) comma = value.size();
            if (AsciiUpper(TrimBlanks(std::string_view(value).substr(start, comma - start))) == upperValue)
                return true;
            start = comma + 1;
        }
    }
    return false;
}

std::vector<std::string> UnfoldLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::string_view first = NextPhysicalLine(bytes, pos);
        std::string line(first);
        const bool quotedPrintable = IsQuotedPrintable(first);
        while (pos < bytes.size()) {
            if (bytes[pos] == ' ' || bytes[pos] == '\t') {
                std::size_t next = pos;
                line += NextPhysicalLine(bytes, next).substr(1);
                pos = next;
            } else if (quotedPrintable && !line.empty() && line.back() == '=') {
                line.pop_back();
                line += NextPhysicalLine(bytes, pos);
            } else {
                break;
            }
        }
        if (!line.empty()) lines.push_back(std::move(line));
    }
    return lines;
}

ContentLine ParseContentLine(std::string_view line) {
    ContentLine parsed;
    // The name and parameters end at the first ":" outside quotes.
    std::size_t colon = std::string_view::npos;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (line[i] == ':' && !quoted) {
            colon = i;
            break;
        }
    }
    const std::string_view head = line.substr(0, colon);
    if (colon != std::string_view::npos) parsed.value = std::string(line.substr(colon + 1));

    std::vector<std::string_view> parts;
    std::size_t start = 0;
    quoted = false;
    for (std::size_t i = 0; i <= head.size(); ++i) {
        if (i < head.size() && head[i] == '"') quoted = !quoted;
        if (i == head.size() || (head[i] == ';' && !quoted)) {
            parts.push_back(head.substr(start, i - start));
            start = i + 1;
        }
    }
    std::string_view name = parts.front();
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos) name.remove_prefix(dot + 1);
    parsed.name = AsciiUpper(TrimBlanks(name));
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::string_view part = parts[i];
        const std::size_t equals = part.find('=');
        std::string value(TrimBlanks(equals == std::string_view::npos ? part : part.substr(equals + 1)));
        std::erase(value, '"');
        parsed.params.emplace_back(
            equals == std::string_view::npos ? std::string() : AsciiUpper(TrimBlanks(part.substr(0, equals))),
            std::move(value));
    }
    return parsed;
}

std::string EscapeText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case ';':
                out += "\\;";
                break;
            case ',':
                out += "\\,";
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string UnescapeText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += (next == 'n' || next == 'N') ? '\n' : next;
    }
    return out;
}

std::vector<std::string> SplitComponents(std::string_view value) {
    std::vector<std::string> components(1);
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            components.back() += value.substr(i, 2);
            ++i;
        } else if (value[i] == ';') {
            components.emplace_back();
        } else {
            components.back() += value[i];
        }
    }
    for (std::string& component : components)
        component = UnescapeText(component);
    return components;
}

void AppendFolded(std::string& out, std::string_view line) {
    constexpr std::size_t MaxOctets = 75;
    std::size_t room = MaxOctets;
    while (line.size() > room) {
        std::size_t cut = room;
        // Never between the bytes of one UTF-8 sequence.
        while (cut > 1 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        out += line.substr(0, cut);
        out += "\r\n ";
        line.remove_prefix(cut);
        room = MaxOctets - 1;  // the leading blank counts
    }
    out += line;
    out += "\r\n";
}

}  // namespace quillora
