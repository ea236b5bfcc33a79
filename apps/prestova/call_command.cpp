#include "apps/prestova/call_command.hpp"

#include "apps/prestova/page_warnings.hpp"
#include "session/control_setup.hpp"
#include "session/typed_value.hpp"
#include "session/usage_error.hpp"
#include "control/dispatch.hpp"
#include "core/ansi.hpp"
#include "core/input_quote.hpp"
#include "core/script_error.hpp"

#include <ostream>

namespace prestova {

int run_call_command(const CallOptions& options, std::ostream& out, std::ostream& err)
{
    const std::string& name = options.member;
    const std::vector<std::string>& values = options.arguments;
    const auto dispid = find_dispid(name);
    if (!dispid) throw UsageError(quote_input(name) + " is not a member of the control");
    const Member* member = find_member(*dispid, values.empty() ? MemberKind::PropertyGet : MemberKind::PropertyPut);
    if (!member) member = find_member(*dispid, MemberKind::Method);
    if (!member) throw UsageError("property " + name + " takes no more than one value");

    UnknownParams unknown;
    auto session = ControlSession::open(options.machine, options.page, options.params, options.init, &unknown);
    if (options.page) warn_about_page(options.page, options.init, unknown, err);  // a call needs no page
    const Locale locale = session->control.locale();
    std::vector<Variant> call_args;
    for (const auto& v : values) {
        // "hdc" stands for the control's own device context.
        if (member->method == Method::DeviceColors && v == "hdc")
            call_args.push_back(Variant::long_integer(session->control.platform().system.control_device_context()));
        else call_args.push_back(typed_value(v));
    }
    try {
        const Variant result = invoke(session->control, *member, call_args);
        if (member->kind == MemberKind::PropertyPut) {
            out << name << " = " << shown_value(session->control.get(*member->prop), locale) << "\n";
            return 0;
        }
        out << shown_value(result, locale) << "\n";
        if (member->kind == MemberKind::Method)
            for (std::size_t a = 0; a < call_args.size(); ++a)
                out << member->parameters[a].name << " = " << shown_value(call_args[a], locale) << "\n";
        return 0;
    } catch (const DispatchError& e) {
        if (e.kind() == DispatchError::Kind::BadParamCount) throw UsageError(name + ": " + e.what());
        // An argument that does not convert is no misuse of the command:
        // the error alone says what is wrong.
        err << "prestova: " << name << ": " << ansi_to_utf8(e.what()) << "\n";
        return 2;
    } catch (const ScriptError& e) {
        err << "prestova: " << name << " raised error " << e.number() << ": " << ansi_to_utf8(e.what()) << "\n";
        for (std::size_t a = 0; member->kind == MemberKind::Method && a < call_args.size(); ++a)
            err << "  " << member->parameters[a].name << " = " << shown_value(call_args[a], locale) << "\n";
        return 1;
    }
}

}  // namespace prestova
