#include "control/dispatch.hpp"

#include "core/script_error.hpp"

namespace prestova {

namespace {

// Converts one argument to the member's parameter type, as automation does
// before the call.
template <class T, class Convert>
T coerce(const std::vector<Variant>& args, int index, Convert&& convert)
{
    try {
        return convert(args[static_cast<std::size_t>(index)]);
    } catch (const ScriptError& e) {
        const auto kind = e.code() == ErrorCode::Overflow ? DispatchError::Kind::Overflow : DispatchError::Kind::TypeMismatch;
        throw DispatchError(kind, index, "argument " + std::to_string(index + 1) + ": " + e.what());
    }
}

std::uint8_t to_byte(const Variant& v, const Locale& locale)
{
    const double d = v.to_double(locale);
    const double r = round_half_even(d);
    if (!(r >= 0 && r <= 255)) throw ScriptError(ErrorCode::Overflow, "Overflow: a byte holds 0 to 255");
    return static_cast<std::uint8_t>(r);
}

} // namespace

std::size_t argument_count(const Member& member)
{
    if (member.kind == MemberKind::PropertyGet) return 0;
    if (member.kind == MemberKind::PropertyPut) return 1;
    switch (*member.method) {
    case Method::DeviceColors:
    case Method::GetDiskSpace:
    case Method::CutLangType: return 1;
    case Method::CutDecimal: return 2;
    case Method::getVersion: return 0;
    }
    return 0;
}

Variant invoke(Prestova& control, const Member& member, std::vector<Variant>& args)
{
    const std::size_t wanted = argument_count(member);
    if (args.size() != wanted)
        throw DispatchError(DispatchError::Kind::BadParamCount, -1,
                            std::string(member.name) + " takes " + std::to_string(wanted) + " argument" +
                                (wanted == 1 ? "" : "s") + ", not " + std::to_string(args.size()));
    const Locale locale = control.locale();
    if (member.kind == MemberKind::PropertyGet) return control.get(*member.prop);
    if (member.kind == MemberKind::PropertyPut) {
        control.put(*member.prop, args[0]);
        return Variant();
    }
    switch (*member.method) {
    case Method::DeviceColors: {
        std::int32_t hdc = coerce<std::int32_t>(args, 0, [&](const Variant& v) { return v.to_long(locale); });
        const float colours = control.DeviceColors(hdc);
        args[0] = Variant::long_integer(hdc);
        return Variant::single(colours);
    }
    case Method::GetDiskSpace: {
        std::string drive = coerce<std::string>(args, 0, [&](const Variant& v) { return v.to_text(locale); });
        Variant free = control.GetDiskSpace(drive);
        args[0] = Variant(drive);
        return free;
    }
    case Method::CutLangType: return control.CutLangType(args[0]);
    case Method::CutDecimal: {
        std::uint8_t places = coerce<std::uint8_t>(args, 1, [&](const Variant& v) { return to_byte(v, locale); });
        std::string cut = control.CutDecimal(args[0], places);
        args[1] = Variant::integer(places);
        return Variant(cut);
    }
    case Method::getVersion: return Variant::long_integer(control.getVersion());
    }
    return Variant();
}

} // namespace prestova
