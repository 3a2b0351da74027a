#pragma once
// What the recording of visits writes to the history store, and how the
// user's "clear history" reaches it.
#include <functional>
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

class IHistoryEraser {
public:
    virtual ~IHistoryEraser() = default;
    // `done` gets whether the pages are gone, on the main loop.
    virtual void Delete(HistoryScope scope, std::function<void(bool ok)> done) = 0;
    virtual void DeleteAll(std::function<void(bool ok)> done) = 0;
    // False while there is no history to clear (it could not be opened).
    virtual bool Usable() const = 0;
};

}  // namespace fern
