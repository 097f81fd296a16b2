// The import report's counts and its message.

#include "exchange/ImportReport.h"

void ImportReport::Count(std::string_view label, int n)
{
    if (n <= 0) return;
    for (auto& item : items) {
        if (item.first == label) {
            item.second += n;
            return;
        }
    }
    items.emplace_back(std::string(label), n);
}

int ImportReport::CountOf(std::string_view label) const
{
    for (const auto& item : items)
        if (item.first == label) return item.second;
    return 0;
}

namespace {

std::string Lines(const ImportReport& report)
{
    std::string out;
    for (const auto& [label, count] : report.items) out += "\n  " + label + " : " + std::to_string(count);
    return out;
}

} // namespace

std::string ImportReportMessage(const ImportReport& report)
{
    if (report.Empty()) return {};
    return "読み込めなかったものがあります。" + Lines(report);
}

std::string ImportNothingReadMessage(const ImportReport& report)
{
    std::string out = "読み込める図形がありません。図面は開きません。";
    if (!report.Empty()) out += "\n読み込めなかったもの:" + Lines(report);
    return out;
}
