#include "tools/interface_sources.hpp"

#include "control/identifiers.hpp"
#include "control/member_table.hpp"
#include "probes/os_identification.hpp"

#include <cstdio>
#include <string>
#include <vector>

namespace prestova {

namespace {

// Lines longer than this break before the result parameter.
constexpr std::size_t kLineWidth = 120;

std::string_view idl_type(AutomationType type)
{
    switch (type) {
    case AutomationType::Byte: return "unsigned char";
    case AutomationType::Long: return "long";
    case AutomationType::Single: return "float";
    case AutomationType::String: return "BSTR";
    case AutomationType::Variant: return "VARIANT";
    case AutomationType::OSofPrestovaUser: return "OSofPrestovaUser";
    }
    return "VARIANT";
}

// A registry-style identifier without its braces, as IDL writes it.
std::string_view bare(std::string_view guid) { return guid.substr(1, guid.size() - 2); }

std::string hex(std::int32_t dispid)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(dispid));
    return text;
}

std::string member_line(const Member& m)
{
    std::string head = std::string("        [id(").append(hex(m.dispid)).append(")");
    if (m.kind == MemberKind::PropertyGet) head += ", propget";
    if (m.kind == MemberKind::PropertyPut) head += ", propput";
    head.append("] HRESULT ").append(m.name).append("(");

    std::vector<std::string> parameters;
    for (const Parameter& p : m.parameters) {
        std::string text(p.by_reference ? "[in, out] " : "[in] ");
        text.append(idl_type(p.type)).append(p.by_reference ? "* " : " ").append(p.name);
        parameters.push_back(std::move(text));
    }
    if (m.result) parameters.push_back(std::string("[out, retval] ").append(idl_type(*m.result)).append("* result"));

    std::string line = head;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (i > 0) line += ", ";
        line += parameters[i];
    }
    line += ");";
    if (line.size() <= kLineWidth || parameters.size() < 2) return line;
    // Too long for one line: the result goes on the next, under the first parameter.
    line = head;
    for (std::size_t i = 0; i + 1 < parameters.size(); ++i) {
        if (i > 0) line += ", ";
        line += parameters[i];
    }
    return line.append(",\n").append(head.size(), ' ').append(parameters.back()).append(");");
}

}  // namespace

std::string type_library_idl()
{
    std::string idl = "// The type library a page's script and a container bind to, written from\n"
                      "// the member table (control/member_table.cpp). Change the table, never this\n"
                      "// file, then run: cmake --build BUILD --target interface_sources\n"
                      "// The member order and dispatch identifiers are published: they must stay as\n"
                      "// they are.\n"
                      "import \"automation_imports.idl\";\n"
                      "\n";
    idl.append("[uuid(")
        .append(bare(kLibraryId))
        .append("), version(TALLYMERE_VERSION), control, helpstring(\"")
        .append(kLibraryName)
        .append("\")]\n");
    idl.append("library ").append(kLibraryName).append("\n{\n    importlib(\"stdole2.tlb\");\n\n");

    idl += "    typedef enum OSofPrestovaUser {\n";
    for (std::int32_t ordinal = 0; ordinal <= kLastOrdinal; ++ordinal)
        idl.append("        ")
            .append(os_member_name(ordinal))
            .append(" = ")
            .append(std::to_string(ordinal))
            .append(ordinal < kLastOrdinal ? ",\n" : "\n");
    idl += "    } OSofPrestovaUser;\n\n";

    idl.append("    [uuid(").append(bare(kInterfaceId)).append("), hidden, dual, nonextensible, oleautomation]\n");
    idl += "    interface _Prestova : IDispatch\n    {\n";
    for (const Member& m : member_table()) idl.append(member_line(m)).append("\n");
    idl += "    };\n\n";

    idl.append("    [uuid(").append(bare(kEventInterfaceId)).append("), hidden]\n");
    idl += "    dispinterface __Prestova\n    {\n    properties:\n    methods:\n    };\n\n";

    idl.append("    [uuid(").append(bare(kClassId)).append("), control]\n");
    idl.append("    coclass ").append(kClassName).append("\n    {\n");
    idl += "        [default] interface _Prestova;\n"
           "        interface IObjectSafety;\n"
           "        [default, source] dispinterface __Prestova;\n"
           "    };\n"
           "};\n";
    return idl;
}

std::string dual_property_list()
{
    std::string list = "#pragma once\n"
                       "// Written by prestova_interface_sources from the member table\n"
                       "// (control/member_table.cpp), as tallymere.idl is; do not edit: change the\n"
                       "// table. The forty properties as the dual interface declares them (get_/put_\n"
                       "// pairs), for declaring and defining their vtable members in one line each.\n"
                       "#define PRESTOVA_PROPERTIES(X) \\\n";
    std::string_view last;
    for (const Member& m : member_table())
        if (m.kind == MemberKind::PropertyGet) last = m.name;
    for (const Member& m : member_table()) {
        if (m.kind != MemberKind::PropertyGet) continue;
        list.append("    X(").append(m.name).append(m.name == last ? ")\n" : ") \\\n");
    }
    return list;
}

const std::array<GeneratedSource, 2>& generated_sources()
{
    static const std::array<GeneratedSource, 2> sources{{
        {"component/tallymere.idl", type_library_idl},
        {"component/property_list.hpp", dual_property_list},
    }};
    return sources;
}

}  // namespace prestova
