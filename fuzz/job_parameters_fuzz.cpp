// Feeds hostile names, paths and extensions to the job parameter writer: the file keeps
// its frame, every checked source gets its two lines and its number, values are written
// as they are, and any markup character in them is noticed.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "korvane/core/prepare/job_parameters.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool HasMarkup(const std::string& s) {
  return s.find_first_of("<&\"'") != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  korvane::JobParameterInput job;
  job.productName = in.ConsumeRandomLengthString(16);
  job.systemName = in.ConsumeRandomLengthString(16);
  job.base = in.ConsumeRandomLengthString(32) + "/";
  job.wrapRequested = in.ConsumeBool();
  job.interfaceType = in.ConsumeRandomLengthString(8);
  job.mapTypeOffered = in.ConsumeBool();
  job.mapType = in.ConsumeRandomLengthString(8);
  job.multi = in.ConsumeBool();
  job.linkerShown = in.ConsumeBool();
  job.copyLibraryShown = in.ConsumeBool();
  const char* const types[] = {"Onl", "File", "Module", "Proc", "Intr", ""};
  job.wrapperPrograms = {{"File", in.ConsumeRandomLengthString(16)}};
  bool markup = HasMarkup(job.productName) || HasMarkup(job.systemName) || HasMarkup(job.base) ||
                (job.wrapRequested && HasMarkup(job.interfaceType)) ||
                (job.wrapRequested && job.mapTypeOffered && HasMarkup(job.mapType));
  int checked = 0;
  for (int n = in.ConsumeIntegralInRange(0, 20); n > 0; --n) {
    korvane::PreparedSource source;
    source.fileName = in.ConsumeRandomLengthString(12);
    source.origin = in.ConsumeRandomLengthString(24);
    source.checked = in.ConsumeBool();
    source.typeCode = types[in.ConsumeIntegralInRange(0, 5)];
    if (source.checked) {
      ++checked;
      const size_t slash = source.origin.rfind('/');
      const std::string name =
          slash == std::string::npos ? source.origin : source.origin.substr(slash + 1);
      if (job.wrapRequested && HasMarkup(name)) markup = true;
    }
    job.sources.push_back(source);
  }
  const korvane::JobParameters out = korvane::BuildJobParameters(job);
  Check(!out.xml.empty() && out.xml.back() == "</KORVANE>");
  Check(out.xml[2] == "<KORVANE>");
  Check(out.markupInValues == markup);
  const bool files = job.wrapRequested && !job.sources.empty();
  Check(out.entities == (files ? checked : 0));
  if (files) {
    Check(out.nameMapBuilt);
    for (size_t i = 1; i < out.nameMap.size(); ++i) {
      Check(!korvane::NameMapLess(out.nameMap[i], out.nameMap[i - 1]));
    }
    if (job.multi) {
      Check(out.batch.size() == static_cast<size_t>(checked) * (job.linkerShown ? 2 : 1));
    }
  }
  return 0;
}
