#include "session/page_params.hpp"

#include "core/ansi.hpp"
#include "core/ascii_case.hpp"

#include <cctype>
#include <optional>
#include <utility>

namespace prestova {

namespace {

struct Tag {
    std::string name;                                             // lower case; "/object" for a closing tag
    std::vector<std::pair<std::string, std::string>> attributes;  // names lower case, values decoded
};

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// Reads the tag starting at html[pos] == '<'; pos ends after its '>'.
std::optional<Tag> read_tag(std::string_view html, std::size_t& pos)
{
    std::size_t i = pos + 1;
    if (html.substr(i, 3) == "!--") {
        std::size_t end = html.find("-->", i + 3);
        pos = end == std::string_view::npos ? html.size() : end + 3;
        return std::nullopt;
    }
    Tag tag;
    while (i < html.size() && (std::isalnum(static_cast<unsigned char>(html[i])) || html[i] == '/' || html[i] == '!'))
        tag.name += static_cast<char>(std::tolower(static_cast<unsigned char>(html[i++])));
    while (i < html.size() && html[i] != '>') {
        if (is_space(html[i]) || html[i] == '/') {
            ++i;
            continue;
        }
        std::string name;
        while (i < html.size() && !is_space(html[i]) && html[i] != '=' && html[i] != '>' && html[i] != '/')
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(html[i++])));
        while (i < html.size() && is_space(html[i])) ++i;
        std::string_view value;
        if (i < html.size() && html[i] == '=') {
            ++i;
            while (i < html.size() && is_space(html[i])) ++i;
            // Decoded straight from the page: a value may be most of it.
            if (i < html.size() && (html[i] == '"' || html[i] == '\'')) {
                const char quote = html[i++];
                const std::size_t end = html.find(quote, i);
                const std::size_t stop = end == std::string_view::npos ? html.size() : end;
                value = html.substr(i, stop - i);
                i = end == std::string_view::npos ? html.size() : end + 1;
            } else {
                const std::size_t start = i;
                while (i < html.size() && !is_space(html[i]) && html[i] != '>') ++i;
                value = html.substr(start, i - start);
            }
        }
        if (!name.empty()) tag.attributes.emplace_back(std::move(name), decode_html_entities(value));
    }
    pos = i < html.size() ? i + 1 : html.size();
    return tag;
}

std::string* attribute(Tag& tag, std::string_view name)
{
    for (auto& [k, v] : tag.attributes)
        if (k == name) return &v;
    return nullptr;
}

// Converted where it lies and moved: a value may be most of the page.
std::string in_ansi(std::string* text)
{
    if (!text) return {};
    utf8_to_ansi_in_place(*text);
    return std::move(*text);
}

bool names_the_control(const Tag& tag)
{
    for (const auto& [k, v] : tag.attributes)
        if (find_ignoring_case(v, "Prestova") != std::string::npos) return true;
    return false;
}

}  // namespace

std::string decode_html_entities(std::string_view text)
{
    static const std::pair<std::string_view, std::string_view> named[] = {
        {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", "\xC2\xA0"},
    };
    // Any reference decoded ("&#x010FFFF;" at most) fits; looking further
    // for the ';' would make a text of many '&' quadratic.
    constexpr std::size_t kLongestReference = 9;  // between '&' and ';'
    std::string out;
    out.reserve(text.size());  // what a reference stands for is never longer
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '&') {
            out += text[i++];
            continue;
        }
        std::size_t semi = text.substr(i + 1, kLongestReference + 1).find(';');
        if (semi == std::string_view::npos) {
            out += text[i++];
            continue;
        }
        semi += i + 1;
        const std::string_view ref = text.substr(i + 1, semi - i - 1);
        bool done = false;
        if (ref.size() > 1 && ref[0] == '#') {
            const bool hex = ref[1] == 'x' || ref[1] == 'X';
            const std::string_view digits = ref.substr(hex ? 2 : 1);
            unsigned long cp = 0;
            bool ok = !digits.empty();
            for (char c : digits) {
                const int d = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                              : hex && std::isxdigit(static_cast<unsigned char>(c))
                                  ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                                  : -1;
                if (d < 0 || cp > 0x10FFFF) {
                    ok = false;
                    break;
                }
                cp = cp * (hex ? 16 : 10) + static_cast<unsigned long>(d);
            }
            if (ok) {
                append_utf8(out, cp == 0 || cp > 0x10FFFF ? 0xFFFD : static_cast<char32_t>(cp));
                done = true;
            }
        } else {
            for (const auto& [name, value] : named)
                if (ref == name) {
                    out += value;
                    done = true;
                }
        }
        if (done) i = semi + 1;
        else out += text[i++];
    }
    return out;
}

PageParams read_page_params(std::string_view html, std::string_view file_name, ParamFilter keep)
{
    struct Object {
        PageParams params;
        bool names_control = false;
        bool has_params = false;  // before filtering: which object is chosen does not depend on it
    };
    std::vector<Object> objects;
    bool inside = false;
    for (std::size_t pos = html.find('<'); pos != std::string_view::npos; pos = html.find('<', pos)) {
        auto tag = read_tag(html, pos);
        if (!tag) continue;
        if (tag->name == "object") {
            objects.push_back(Object{{}, names_the_control(*tag), false});
            inside = true;
        } else if (tag->name == "/object") {
            inside = false;
        } else if (tag->name == "param" && inside) {
            std::string* name = attribute(*tag, "name");
            std::string* value = attribute(*tag, "value");
            if (!name) continue;
            objects.back().has_params = true;
            std::string ansi_name = in_ansi(name);
            if (!keep || keep(ansi_name)) objects.back().params.emplace_back(std::move(ansi_name), in_ansi(value));
        }
    }
    if (objects.empty()) throw InputError(std::string(file_name) + ": the page has no <object> element");
    for (auto& o : objects)
        if (o.names_control) return std::move(o.params);
    for (auto& o : objects)
        if (o.has_params) return std::move(o.params);
    return std::move(objects.front().params);
}

}  // namespace prestova
