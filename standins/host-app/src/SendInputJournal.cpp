#include "SendInputJournal.h"

#include "InputRecordDescriber.h"
#include "simulated_desktop.h"

namespace TESSARIL_HOST_APP {

std::vector<SendInputEntry> SendInputJournal::ReadNew()
{
    const std::vector<SimulatedDesktop::SendInputCall> calls = SimulatedDesktop::SendInputCalls();
    std::vector<SendInputEntry> entries;
    for (; seen < calls.size(); ++seen) {
        const SimulatedDesktop::SendInputCall& call = calls[seen];
        entries.push_back({InputRecordDescriber::DescribeCall(call.records.data(), call.records.size()),
                           call.requested, call.result});
    }
    return entries;
}

}  // namespace TESSARIL_HOST_APP
