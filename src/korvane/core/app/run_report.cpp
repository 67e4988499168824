#include "korvane/core/app/run_report.h"

#include <cstdio>
#include <nlohmann/json.hpp>

namespace korvane {

namespace {

using nlohmann::ordered_json;

// Empty text is what the shell holds for "not known".
ordered_json TextOrNull(const std::string& text) {
  return text.empty() ? ordered_json(nullptr) : ordered_json(text);
}

template <typename T>
ordered_json ValueOrNull(const std::optional<T>& value) {
  return value ? ordered_json(*value) : ordered_json(nullptr);
}

ordered_json TimeOrNull(const std::optional<ReportTime>& time) {
  return time ? ordered_json(IsoUtc(*time)) : ordered_json(nullptr);
}

void PutProcessEnd(ordered_json& object, const ReportProcessEnd& end) {
  object["exitStatus"] = ValueOrNull(end.exitStatus);
  object["signal"] = ValueOrNull(end.signal);
  object["durationMs"] = ValueOrNull(end.durationMs);
}

ordered_json RunObject(const std::optional<ReportRun>& run) {
  if (!run) return nullptr;
  ordered_json out;
  out["command"] = TextOrNull(run->command);
  out["multiEntity"] = run->multiEntity;
  out["started"] = TimeOrNull(run->started);
  out["ended"] = TimeOrNull(run->ended);
  out["outcome"] = TextOrNull(run->outcome);
  PutProcessEnd(out, run->end);
  return out;
}

ordered_json EntityObject(const ReportEntity& entity) {
  ordered_json out;
  out["number"] = entity.number;
  out["source"] = entity.source;
  out["commands"] = entity.commands;
  out["results"] = entity.results;
  PutProcessEnd(out, entity.end);
  return out;
}

}  // namespace

std::string IsoUtc(ReportTime time) {
  using namespace std::chrono;
  const auto ms = floor<milliseconds>(time);
  const auto day = floor<days>(ms);
  const year_month_day date(day);
  const hh_mm_ss clock(ms - day);
  char text[40];
  std::snprintf(
      text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ", static_cast<int>(date.year()),
      static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
      static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
      static_cast<int>(clock.seconds().count()), static_cast<int>(clock.subseconds().count()));
  return text;
}

std::string RenderRunReport(const RunReport& report) {
  ordered_json out;
  out["schemaVersion"] = RunReport::kSchemaVersion;
  out["jobFile"] = TextOrNull(report.jobFile);
  out["product"] = {{"name", TextOrNull(report.productName)},
                    {"language", TextOrNull(report.language)}};
  out["toolRoot"] = TextOrNull(report.toolRoot);
  out["baseFolder"] = TextOrNull(report.baseFolder);
  out["started"] = IsoUtc(report.started);
  out["ended"] = IsoUtc(report.ended);
  out["exitStatus"] = report.exitStatus;
  out["exitMeaning"] = report.exitMeaning;
  out["why"] = TextOrNull(report.why);
  out["run"] = RunObject(report.run);
  out["entities"] = ordered_json::array();
  for (const ReportEntity& entity : report.entities)
    out["entities"].push_back(EntityObject(entity));
  out["unresolvedCopies"] = ordered_json::array();
  for (const ReportUnresolvedCopy& copy : report.unresolvedCopies) {
    out["unresolvedCopies"].push_back({{"source", copy.source}, {"name", copy.name}});
  }
  out["results"] = {{"written", report.written},
                    {"renamed", report.renamed},
                    {"renameFailures", report.renameFailures}};
  // The shell keeps bytes as the tools wrote them; a name that is not UTF-8 is
  // replaced, not a reason to lose the whole report.
  return out.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace korvane
