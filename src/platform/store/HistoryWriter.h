#pragma once
// What the recording of visits writes to the history store.
#include <string>

#include "platform/store/HistoryDb.h"

namespace fern {

class IHistoryWriter {
public:
    virtual ~IHistoryWriter() = default;
    virtual void RecordVisit(std::string url, HistoryTime when) = 0;
    virtual void SetTitle(std::string url, std::string title) = 0;
    virtual void StorePage(std::string url, std::string bytes, HistoryTime when) = 0;
};

}  // namespace fern
