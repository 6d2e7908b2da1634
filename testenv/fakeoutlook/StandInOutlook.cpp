#include "testenv/fakeoutlook/StandInOutlook.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <chrono>
#include <thread>

#include "outlook/AutomationStatus.h"
#include "platform/LocalClock.h"
#include "testenv/fakeoutlook/MemberName.h"

// --- settings ---------------------------------------------------------------

static std::string switchName(const StandInSwitch& name) {
    return std::string(name.environmentName) + " (" + name.registryValue + ")";
}

static bool readCount(const StandInLookup& lookup, const StandInSwitch& name, int* count, std::string* problem) {
    std::string text;
    if (!lookup(name, &text) || text.empty())
        return true;
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(text.c_str(), &end, 10);
    if (text[0] < '0' || text[0] > '9' || errno != 0 || *end != '\0' || value > INT_MAX) {
        *problem = switchName(name) + " must be a count, not \"" + text + "\"";
        return false;
    }
    *count = static_cast<int>(value);
    return true;
}

bool readStandInSettings(const StandInLookup& lookup, StandInSettings* settings, std::string* problem) {
    StandInSettings read;
    std::string text;
    if (lookup(StandInContactsFile, &text))
        read.contactsFile = text;
    text.clear();
    if (lookup(StandInCallsFile, &text))
        read.callsFile = text;
    if (!readCount(lookup, StandInFailSave, &read.failSave, problem))
        return false;
    if (!readCount(lookup, StandInSaveDelay, &read.saveDelayMs, problem))
        return false;
    if (!readCount(lookup, StandInFailGetNextAfter, &read.failGetNextAfter, problem))
        return false;
    if (!readCount(lookup, StandInVersion, &read.outlookVersion, problem))
        return false;
    text.clear();
    if (lookup(StandInDenyPuts, &text)) {
        size_t start = 0;
        while (start <= text.size()) {
            const size_t comma = std::min(text.find(',', start), text.size());
            if (comma > start)
                read.deniedPuts.push_back(text.substr(start, comma - start));
            start = comma + 1;
        }
    }
    text.clear();
    if (lookup(StandInFixedTime, &text) && !text.empty()) {
        char* end = nullptr;
        errno = 0;
        double date = std::strtod(text.c_str(), &end);
        if (errno != 0 || *end != '\0' || !std::isfinite(date) || date == 0.0) {
            *problem = switchName(StandInFixedTime) + " must be an automation date, not \"" + text + "\"";
            return false;
        }
        read.fixedTime = date;
    }
    *settings = read;
    return true;
}

// --- the objects ------------------------------------------------------------

// Every object the stand-in hands out: forwards to the in-memory Outlook,
// routes "Save" through the file, and wraps the objects it answers with.
class StandInObject : public AutomationObject {
public:
    StandInObject(std::shared_ptr<StandInOutlook> owner, AutomationObjectRef inner)
        : owner_(std::move(owner)), inner_(std::move(inner)) {}

    int32_t invoke(const char* name, AutomationCallKind kind, const std::vector<AutomationValue>& arguments,
                   AutomationValue* result) override {
        std::vector<AutomationValue> forwarded = arguments;
        for (AutomationValue& argument : forwarded) {
            auto* own = argument.isObject() ? dynamic_cast<StandInObject*>(argument.object().get()) : nullptr;
            if (own)
                argument = AutomationValue::fromObject(own->inner_);
        }
        owner_->setClock();
        const bool method = kind == AutomationCallKind::Method;
        int32_t status = method && sameMemberName(name, "Save")     ? owner_->save(*inner_, forwarded, result)
                         : method && sameMemberName(name, "Delete") ? owner_->remove(*inner_, forwarded, result)
                                                                    : inner_->invoke(name, kind, forwarded, result);
        // Nobody reads the model's call log here; it would only grow.
        owner_->model().clearCalls();
        if (result && result->isObject() && result->object()) {
            *result = AutomationValue::fromObject(owner_->wrap(result->object()));
        }
        return status;
    }

private:
    std::shared_ptr<StandInOutlook> owner_;
    AutomationObjectRef inner_;
};

// --- the stand-in -----------------------------------------------------------

StandInOutlook::StandInOutlook(Key, const StandInSettings& settings)
    : settings_(settings), outlook_(FakeOutlook::create()) {
    outlook_->failGetNextAfter(settings.failGetNextAfter);
    if (settings.outlookVersion > 0)
        outlook_->setVersion(settings.outlookVersion);
    for (const std::string& property : settings.deniedPuts)
        outlook_->failPropertyPut(property, AutomationStatus::AccessDenied);
}

std::shared_ptr<StandInOutlook> StandInOutlook::open(const StandInSettings& settings, std::string* problem) {
    auto standIn = std::make_shared<StandInOutlook>(Key(), settings);
    if (!standIn->load(problem))
        return nullptr;
    return standIn;
}

AutomationObjectRef StandInOutlook::application() { return wrap(outlook_->application()); }

AutomationObjectRef StandInOutlook::wrap(AutomationObjectRef inner) {
    return std::make_shared<StandInObject>(shared_from_this(), std::move(inner));
}

static long daysFromCivil(int year, int month, int day) {
    year -= month <= 2;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const long yearOfEra = year - era * 400;
    const long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void StandInOutlook::setClock() {
    if (settings_.fixedTime != 0.0) {
        outlook_->setCurrentTime(settings_.fixedTime);
        return;
    }
    LocalDateTime now = currentLocalTime();
    double days = static_cast<double>(daysFromCivil(now.year, now.month, now.day) - daysFromCivil(1899, 12, 30));
    outlook_->setCurrentTime(days + (now.hour * 3600 + now.minute * 60 + now.second) / 86400.0);
}

bool StandInOutlook::load(std::string* problem) {
    setClock();
    if (settings_.contactsFile.empty())
        return true;
    const std::string where = "contacts file " + settings_.contactsFile;
    std::vector<ContactFileEntry> entries;
    bool existed = false;
    ContactFileError error;
    if (!readContactFile(settings_.contactsFile, &entries, &existed, &error)) {
        *problem = where + ", " + error.describe();
        return false;
    }
    for (size_t index = 0; index < entries.size(); ++index) {
        FakeContact& contact = outlook_->addContact();
        std::vector<ContactFileLine> unknown;
        std::string why;
        if (!seedFakeContact(entries[index], &contact, &unknown, &why)) {
            *problem = where + ", contact " + std::to_string(index + 1) + ": " + why;
            return false;
        }
        outlook_->noteSeededEntryId(contact.text("EntryID"));
        saved_.push_back(contactFileEntry(contact, unknown));
        unknown_.push_back(std::move(unknown));
        loadedPlaces_.push_back(entries[index].place);
    }
    return true;
}

int32_t StandInOutlook::save(AutomationObject& item, const std::vector<AutomationValue>& arguments,
                             AutomationValue* result) {
    // Before anything is written: a program ended during the wait leaves
    // the contact as it was.
    if (settings_.saveDelayMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(settings_.saveDelayMs));
    ++saves_;
    if (settings_.failSave > 0 && saves_ == settings_.failSave) {
        if (result)
            result->clear();
        return saveFailed(AutomationStatus::Exception,
                          "Save " + std::to_string(saves_) + " fails, as " + StandInFailSave.environmentName + " asks");
    }
    int32_t status = item.invoke("Save", AutomationCallKind::Method, arguments, result);
    const std::vector<FakeCall>& calls = outlook_->calls();
    if (!automationSucceeded(status) || calls.empty() || calls.back().contactIndex < 0)
        return status;

    const size_t position = static_cast<size_t>(calls.back().contactIndex);
    const FakeContact* contact = outlook_->contact(position);
    if (!contact)
        return status;
    if (saved_.size() < outlook_->contactCount())
        saved_.resize(outlook_->contactCount());
    if (unknown_.size() < outlook_->contactCount())
        unknown_.resize(outlook_->contactCount());
    saved_[position] = contactFileEntry(*contact, unknown_[position]);
    if (settings_.contactsFile.empty())
        return status;
    std::string why;
    if (!appendContactBlock(settings_.contactsFile, *saved_[position], filePlace(position), &why)) {
        return saveFailed(AutomationStatus::Failed, "contacts file " + settings_.contactsFile + ": " + why);
    }
    return status;
}

size_t StandInOutlook::filePlace(size_t position) const {
    if (position < loadedPlaces_.size())
        return loadedPlaces_[position];
    const size_t highest = loadedPlaces_.empty() ? 0 : loadedPlaces_.back();
    return highest + 1 + (position - loadedPlaces_.size());
}

int32_t StandInOutlook::remove(AutomationObject& item, const std::vector<AutomationValue>& arguments,
                               AutomationValue* result) {
    int32_t status = item.invoke("Delete", AutomationCallKind::Method, arguments, result);
    const std::vector<FakeCall>& calls = outlook_->calls();
    if (!automationSucceeded(status) || calls.empty() || calls.back().contactIndex < 0)
        return status;
    // The call names the position the contact had.
    const size_t position = static_cast<size_t>(calls.back().contactIndex);
    if (position < saved_.size())
        saved_.erase(saved_.begin() + static_cast<std::ptrdiff_t>(position));
    if (position < unknown_.size())
        unknown_.erase(unknown_.begin() + static_cast<std::ptrdiff_t>(position));
    return writeFile(status);
}

int32_t StandInOutlook::writeFile(int32_t status) {
    if (settings_.contactsFile.empty())
        return status;
    // Every contact at its folder place from now on.
    std::vector<ContactFileEntry> entries;
    loadedPlaces_.clear();
    for (size_t position = 0; position < saved_.size(); ++position) {
        loadedPlaces_.push_back(position + 1);
        if (!saved_[position])
            continue;
        entries.push_back(*saved_[position]);
        entries.back().place = position + 1;
    }
    std::string why;
    if (!writeContactFileInPlaces(settings_.contactsFile, entries, &why)) {
        return saveFailed(AutomationStatus::Failed, "contacts file " + settings_.contactsFile + ": " + why);
    }
    return status;
}

int32_t StandInOutlook::saveFailed(int32_t status, std::string problem) {
    lastProblem_ = std::move(problem);
    if (settings_.report)
        settings_.report(lastProblem_);
    return status;
}
