#include "cli/result_output.h"

#include "model/file_reasons.h"
#include "model/platform.h"

#include <iostream>

namespace {

constexpr std::size_t kBlockBytes = 1 << 16;

}  // namespace

bool ResultOutput::write(std::string_view text)
{
    if (failed_)
        return false;
    pending_.append(text);
    return pending_.size() < kBlockBytes || flush();
}

bool ResultOutput::endLine()
{
    if (failed_)
        return false;
    pending_ += '\n';
    return flush();
}

bool ResultOutput::flush()
{
    const platform::FileOutcome outcome = platform::writeStandardOutput(pending_);
    pending_.clear();
    if (!outcome.ok()) {
        failed_ = true;
        std::cerr << "orvane-cli: " << outputFailure(outcome) << "\n";
    }
    return !failed_;
}
