#ifndef OBTMIRROR_CLI_CHECK_REPORT_H_
#define OBTMIRROR_CLI_CHECK_REPORT_H_

#include <string>
#include <vector>

#include "geometry/findings.h"

namespace cli {

// What a report of a check says beside its findings.
struct CheckReportContext {
  // The source as the check read it.
  std::string source;
  // RunOptions::CentreNotes, told with the centre.
  std::vector<std::string> centre_notes;
};

// One finding in words, without its line.
std::string FindingText(const geometry::Finding& finding,
                        const CheckReportContext& context);

// "LINE: text" a finding ("text" for one about the run as a whole), at
// most FindingList::kKeptPerKind a kind and then how many more, then a
// summary line.
std::string TextReport(const geometry::FindingList& findings,
                       const CheckReportContext& context);

// The same as one JSON document.
std::string JsonReport(const geometry::FindingList& findings,
                       const CheckReportContext& context);

}  // namespace cli

#endif  // OBTMIRROR_CLI_CHECK_REPORT_H_
