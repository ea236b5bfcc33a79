#include "control/dispatch.hpp"

#include "core/script_error.hpp"

namespace prestova {

namespace {

// One argument in its parameter's type, as automation converts it before the
// call.
Variant converted(const Variant& v, AutomationType type, const Locale& locale)
{
    switch (type) {
    case AutomationType::Byte: return Variant::byte(v.to_byte(locale));
    case AutomationType::Long:
    case AutomationType::OSofPrestovaUser: return Variant::long_integer(v.to_long(locale));
    case AutomationType::Single: return Variant::single(v.to_single(locale));
    case AutomationType::String: return Variant(v.to_text(locale));
    case AutomationType::Variant: return v;
    }
    return v;
}

// Converts every argument before any is replaced, so a call refused for one
// argument leaves all of them as the caller gave them.
void convert_arguments(const Member& member, std::vector<Variant>& args, const Locale& locale)
{
    std::vector<Variant> result;
    result.reserve(args.size());
    for (std::size_t i = 0; i < args.size(); ++i) {
        try {
            result.push_back(converted(args[i], member.parameters[i].type, locale));
        } catch (const ScriptError& e) {
            const auto kind =
                e.code() == ErrorCode::Overflow ? DispatchError::Kind::Overflow : DispatchError::Kind::TypeMismatch;
            throw DispatchError(kind, static_cast<int>(i), "argument " + std::to_string(i + 1) + ": " + e.what());
        }
    }
    args = std::move(result);
}

Variant call_method(Prestova& control, Method method, std::vector<Variant>& args)
{
    switch (method) {
    case Method::DeviceColors: {
        std::int32_t hdc = args[0].as_long();
        const float colours = control.DeviceColors(hdc);
        args[0] = Variant::long_integer(hdc);
        return Variant::single(colours);
    }
    case Method::GetDiskSpace: {
        std::string drive = args[0].text();
        Variant free = control.GetDiskSpace(drive);
        args[0] = Variant(drive);
        return free;
    }
    case Method::CutLangType: return control.CutLangType(args[0]);
    case Method::CutDecimal: {
        std::uint8_t places = args[1].as_byte();
        std::string cut = control.CutDecimal(args[0], places);
        args[1] = Variant::byte(places);
        return Variant(cut);
    }
    case Method::getVersion: return Variant::long_integer(control.getVersion());
    }
    return Variant();
}

}  // namespace

std::size_t argument_count(const Member& member) { return member.parameters.size(); }

Variant invoke(Prestova& control, const Member& member, std::vector<Variant>& args)
{
    const std::size_t wanted = argument_count(member);
    if (args.size() != wanted)
        throw DispatchError(DispatchError::Kind::BadParamCount, -1,
                            std::string(member.name) + " takes " + std::to_string(wanted) + " argument" +
                                (wanted == 1 ? "" : "s") + ", not " + std::to_string(args.size()));
    convert_arguments(member, args, control.locale());
    if (member.kind == MemberKind::PropertyGet) return control.get(*member.prop);
    if (member.kind == MemberKind::PropertyPut) {
        control.put(*member.prop, args[0]);
        return Variant();
    }
    return call_method(control, *member.method, args);
}

}  // namespace prestova
