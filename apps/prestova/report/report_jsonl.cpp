// One JSON object per line, keys always in the same order:
//   {"file", "machine", "page", "readiness", "rows": {"memory": {"verdict",
//    "value", "missing": [...]}, ...}, "stopped": null or {"step", "error",
//    "message"}}
// and for a machine that could not be read
//   {"file", "machine", "page": null, "readiness": "error", "error": {"line", "message"}}.
#include "apps/prestova/report/report_writer.hpp"
#include "render/json_escape.hpp"

#include <ostream>

namespace prestova {

namespace {

class JsonlWriter final : public ReportWriter {
public:
    JsonlWriter(std::ostream& out, std::vector<std::string> pages) : out_(out), pages_(std::move(pages)) {}

    void add(const ReportRecord& r) override
    {
        std::string s = "{\"file\": " + json_string(r.file) + ", \"machine\": " + json_string(r.machine) +
                        ", \"page\": " + json_string(pages_[r.page]) +
                        ", \"readiness\": " + json_string(readiness_name(r.result.readiness)) + ", \"rows\": {";
        for (std::size_t i = 0; i < kReportRowCount; ++i) {
            const RowResult& row = r.result.rows[i];
            if (i) s += ", ";
            s += json_string(row_key(kReportRows[i])) + ": {\"verdict\": " + json_string(verdict_name(row.verdict)) +
                 ", \"value\": " + json_string(row.value) + ", \"missing\": [";
            for (std::size_t m = 0; m < row.missing.size(); ++m) {
                if (m) s += ", ";
                s += json_string(row.missing[m]);
            }
            s += "]}";
        }
        s += "}, \"stopped\": ";
        if (const auto& stop = r.result.stopped)
            s += "{\"step\": " + json_string(stop->step) + ", \"error\": " + std::to_string(stop->error_number) +
                 ", \"message\": " + json_string(stop->message) + "}";
        else s += "null";
        out_ << s << "}\n";
    }

    void add(const ReportError& e) override
    {
        out_ << "{\"file\": " << json_string(e.file) << ", \"machine\": " << json_string(e.machine)
             << ", \"page\": null, \"readiness\": \"error\", \"error\": {\"line\": " << e.line
             << ", \"message\": " << json_string(e.message) << "}}\n";
    }

    void finish() override { out_.flush(); }

private:
    std::ostream& out_;
    std::vector<std::string> pages_;
};

}  // namespace

std::unique_ptr<ReportWriter> make_jsonl_writer(std::ostream& out, std::vector<std::string> pages)
{
    return std::make_unique<JsonlWriter>(out, std::move(pages));
}

}  // namespace prestova
