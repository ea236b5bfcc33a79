// One line per machine and page, columns as csv_columns() gives them; a
// machine that could not be read has readiness "error" and the error's
// line and message.
#include "apps/prestova/report/report_writer.hpp"

#include <ostream>

namespace prestova {

namespace {

// Quoted when it holds a comma, a quote or a line break, as spreadsheets read it.
std::string csv_field(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string joined(const std::vector<std::string>& items)
{
    std::string out;
    for (const auto& item : items) {
        if (!out.empty()) out += "; ";
        out += item;
    }
    return out;
}

class CsvWriter final : public ReportWriter {
public:
    CsvWriter(std::ostream& out, std::vector<std::string> pages) : out_(out), pages_(std::move(pages))
    {
        const std::vector<std::string> columns = csv_columns();
        column_count_ = columns.size();
        line(columns);
    }

    void add(const ReportRecord& r) override
    {
        std::vector<std::string> f{r.file, r.machine, pages_[r.page], std::string(readiness_name(r.result.readiness))};
        for (const RowResult& row : r.result.rows) {
            f.emplace_back(verdict_name(row.verdict));
            f.push_back(row.value);
            f.push_back(joined(row.missing));
        }
        if (const auto& stop = r.result.stopped) {
            f.push_back(stop->step);
            f.push_back(std::to_string(stop->error_number));
            f.push_back(stop->message);
        } else {
            f.insert(f.end(), 3, "");
        }
        f.insert(f.end(), 2, "");
        line(f);
    }

    void add(const ReportError& e) override
    {
        std::vector<std::string> f{e.file, e.machine, "", "error"};
        f.resize(column_count_ - 2);  // the record's columns stay empty up to error_line and error
        f.push_back(e.line > 0 ? std::to_string(e.line) : "");
        f.push_back(e.message);
        line(f);
    }

    void finish() override { out_.flush(); }

private:
    void line(const std::vector<std::string>& fields)
    {
        std::string text;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i) text += ',';
            text += csv_field(fields[i]);
        }
        out_ << text << "\r\n";
    }

    std::ostream& out_;
    std::vector<std::string> pages_;
    std::size_t column_count_ = 0;
};

}  // namespace

std::vector<std::string> csv_columns()
{
    std::vector<std::string> columns{"file", "machine", "page", "readiness"};
    for (PanelRow row : kReportRows)
        for (const char* part : {"_verdict", "_value", "_missing"})
            columns.push_back(std::string(row_key(row)).append(part));
    for (const char* c : {"stopped_step", "stopped_error", "stopped_message", "error_line", "error"})
        columns.push_back(c);
    return columns;
}

std::unique_ptr<ReportWriter> make_csv_writer(std::ostream& out, std::vector<std::string> pages)
{
    return std::make_unique<CsvWriter>(out, std::move(pages));
}

}  // namespace prestova
