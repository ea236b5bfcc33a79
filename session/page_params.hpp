#pragma once
// The <param name=... value=...> children of a page's <object> element, as
// a browser hands them to the control's property bag.
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace prestova {

class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using PageParams = std::vector<std::pair<std::string, std::string>>;

// Names and values with HTML character references decoded, in the ANSI
// code page. The object chosen is the first whose attributes name the
// control ("Prestova"), else the first object with params. Throws
// InputError when the page has no <object> element. With keep, only the
// params whose name it accepts are kept, so a page's thousands of other
// params take no memory.
using ParamFilter = std::function<bool(std::string_view name)>;
PageParams read_page_params(std::string_view html, std::string_view file_name, ParamFilter keep = nullptr);

// &amp; &lt; &gt; &quot; &apos; &nbsp; and numeric references; unknown
// references stay as written. The result is UTF-8.
std::string decode_html_entities(std::string_view text);

}  // namespace prestova
