#pragma once
#include <functional>
#include <map>
#include <mutex>
#include <string>

// The calls the stand-in Outlook received from its clients, by member name
// (compared without case, kept as first spelt), with "GetIDsOfNames" as a
// name of its own: out of process each is a round trip. The stand-in's own
// control members (StandIn...) are the test's, not the program's, and are
// not counted.
class StandInCallCounts {
public:
    static constexpr char IdLookup[] = "GetIDsOfNames";
    // Calls the server refused while it played busy.
    static constexpr char Rejected[] = "(rejected)";

    static bool isControlMember(const std::string& member);

    void count(const std::string& member);
    // Told of every call counted, as it is counted.
    void observe(std::function<void()> observer) { observer_ = std::move(observer); }
    long of(const std::string& member) const;
    // Every call counted, refused ones left out.
    long roundTrips() const;
    // Counted since the last successful write.
    bool changed() const;

    // One "NAME COUNT" line a name, sorted by name, after a first line
    // "(all) N" with roundTrips().
    std::string text() const;
    // Replaces the file with text(); false with the reason when it cannot.
    bool write(const std::string& path, std::string* problem);

private:
    std::string textLocked() const;
    struct NoCase {
        bool operator()(const std::string& left, const std::string& right) const;
    };
    mutable std::mutex lock_;
    std::map<std::string, long, NoCase> counts_;
    bool changed_ = false;
    std::function<void()> observer_;
};
