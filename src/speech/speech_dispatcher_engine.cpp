#include "speech/speech_dispatcher_engine.h"

#include <libspeechd.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

// The library hands out strings and addresses allocated with malloc.
struct MallocFree {
    void operator()(char* text) const { std::free(text); }
};
struct AddressFree {
    void operator()(SPDConnectionAddress* address) const { SPDConnectionAddress__free(address); }
};

}  // namespace

std::string SpeechDispatcherLanguage(const std::string& code) {
    if (code.empty()) {
        return "en";
    }
    std::string name = code.substr(0, code.find('.'));  // no encoding
    std::replace(name.begin(), name.end(), '_', '-');
    return name;
}

struct SpeechDispatcherEngine::Connection {
    SPDConnection* handle = nullptr;

    Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() {
        if (handle != nullptr) {
            spd_close(handle);
        }
    }
};

SpeechDispatcherEngine::SpeechDispatcherEngine() : connection_(std::make_unique<Connection>()) {}

SpeechDispatcherEngine::~SpeechDispatcherEngine() = default;

bool SpeechDispatcherEngine::Open() {
    char* error = nullptr;
    std::unique_ptr<SPDConnectionAddress, AddressFree> address(spd_get_default_address(&error));
    std::unique_ptr<char, MallocFree> addressError(error);
    if (!address) {
        return false;
    }
    error = nullptr;
    connection_->handle = spd_open2("zarn", "main", nullptr, SPD_MODE_SINGLE, address.get(), 1, &error);
    std::unique_ptr<char, MallocFree> openError(error);
    return connection_->handle != nullptr;
}

bool SpeechDispatcherEngine::Speak(const std::string& text, SpeechPriority priority) {
    if (connection_->handle == nullptr) {
        return false;
    }
    const SPDPriority level = priority == SpeechPriority::Interruptible ? SPD_TEXT : SPD_MESSAGE;
    return spd_say(connection_->handle, level, text.c_str()) >= 0;
}

void SpeechDispatcherEngine::Cancel() {
    if (connection_->handle != nullptr) {
        spd_cancel(connection_->handle);
    }
}

void SpeechDispatcherEngine::SetRate(int rate) {
    if (connection_->handle != nullptr) {
        spd_set_voice_rate(connection_->handle, std::clamp(rate, -100, 100));
    }
}

void SpeechDispatcherEngine::SetLanguage(const std::string& code) {
    if (connection_->handle != nullptr) {
        spd_set_language(connection_->handle, SpeechDispatcherLanguage(code).c_str());
    }
}
