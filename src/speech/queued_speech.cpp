#include "speech/queued_speech.h"

#include <algorithm>
#include <utility>

#include "i18n/translation.h"

struct QueuedSpeech::Shared {
    std::unique_ptr<SpeechEngine> engine;
    std::function<void()> noticeReady;
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable idle;
    std::deque<Utterance> queue;
    std::optional<int> rate;
    std::optional<std::string> language;
    bool cancel = false;
    bool stopping = false;
    bool busy = false;    // the thread is inside the engine
    bool silent = false;  // the service did not answer or went away
    bool noticeDue = false;
    bool finished = false;
};

QueuedSpeech::QueuedSpeech(std::unique_ptr<SpeechEngine> engine, std::function<void()> noticeReady)
    : shared_(std::make_shared<Shared>()) {
    shared_->engine = std::move(engine);
    shared_->noticeReady = std::move(noticeReady);
    shared_->busy = true;  // opening
    worker_ = std::thread([shared = shared_] { Run(shared); });
}

QueuedSpeech::~QueuedSpeech() {
    bool stuck = false;
    {
        std::lock_guard lock(shared_->mutex);
        shared_->stopping = true;
        shared_->queue.clear();
        stuck = shared_->busy;
    }
    shared_->wake.notify_all();
    if (stuck) {
        worker_.detach();
    } else {
        worker_.join();
    }
}

void QueuedSpeech::Say(const Utterance& utterance) {
    if (utterance.text.empty()) {
        return;
    }
    {
        std::lock_guard lock(shared_->mutex);
        if (shared_->silent) {
            return;
        }
        auto& queue = shared_->queue;
        std::erase_if(queue, [](const Utterance& u) { return u.priority == SpeechPriority::Interruptible; });
        if (queue.size() >= kQueueLimit) {
            const auto oldest = std::find_if(queue.begin(), queue.end(), [](const Utterance& u) {
                return u.priority != SpeechPriority::Urgent;
            });
            if (oldest != queue.end()) {
                queue.erase(oldest);
            } else if (utterance.priority != SpeechPriority::Urgent) {
                return;
            }
        }
        queue.push_back(utterance);
    }
    shared_->wake.notify_one();
}

void QueuedSpeech::StopSpeaking() {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->queue.clear();
        shared_->cancel = !shared_->silent;
    }
    shared_->wake.notify_one();
}

void QueuedSpeech::SetRate(int rate) {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->rate = std::clamp(rate, -100, 100);
    }
    shared_->wake.notify_one();
}

void QueuedSpeech::SetLanguage(const std::string& code) {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->language = code;
    }
    shared_->wake.notify_one();
}

std::string QueuedSpeech::TakeNotice() {
    {
        std::lock_guard lock(shared_->mutex);
        if (!shared_->noticeDue) {
            return "";
        }
        shared_->noticeDue = false;
    }
    // TRANSLATORS: shown and printed once when spoken play is on but no speech service answers.
    return Tr("No speech service answered (Speech Dispatcher); the game plays on without speech.");
}

void QueuedSpeech::WaitUntilIdle() {
    std::unique_lock lock(shared_->mutex);
    shared_->idle.wait(lock, [&] {
        const Shared& s = *shared_;
        return s.finished ||
               (!s.busy && (s.silent || (s.queue.empty() && !s.cancel && !s.rate && !s.language)));
    });
}

void QueuedSpeech::TellNotice(Shared& s, std::unique_lock<std::mutex>& lock) {
    if (!s.noticeReady) {
        return;
    }
    lock.unlock();
    s.noticeReady();
    lock.lock();
}

void QueuedSpeech::Run(const std::shared_ptr<Shared>& shared) {
    Shared& s = *shared;
    const bool opened = s.engine->Open();
    std::unique_lock lock(s.mutex);
    s.busy = false;
    if (!opened) {
        s.silent = true;
        s.noticeDue = true;
        s.queue.clear();
        TellNotice(s, lock);
    }
    while (true) {
        s.idle.notify_all();
        s.wake.wait(lock, [&] {
            return s.stopping || (!s.silent && (!s.queue.empty() || s.cancel || s.rate || s.language));
        });
        if (s.stopping) {
            break;
        }
        // Take one piece of work and do it outside the lock, so Say never waits on the engine.
        const bool cancel = std::exchange(s.cancel, false);
        const std::optional<int> rate = std::exchange(s.rate, std::nullopt);
        const std::optional<std::string> language = std::exchange(s.language, std::nullopt);
        std::optional<Utterance> next;
        if (!cancel && !rate && !language) {
            next = std::move(s.queue.front());
            s.queue.pop_front();
        }
        s.busy = true;
        lock.unlock();
        bool alive = true;
        if (cancel) {
            s.engine->Cancel();
        }
        if (rate) {
            s.engine->SetRate(*rate);
        }
        if (language) {
            s.engine->SetLanguage(*language);
        }
        if (next) {
            alive = s.engine->Speak(next->text, next->priority);
        }
        lock.lock();
        s.busy = false;
        if (!alive) {
            s.silent = true;
            s.noticeDue = true;
            s.queue.clear();
            TellNotice(s, lock);
        }
    }
    s.finished = true;
    s.idle.notify_all();
}
