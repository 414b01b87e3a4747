#pragma once

#include "display/SlideReader.h"

#include <functional>
#include <vector>

namespace luma::test {

// Reads each slide at once, on the calling thread; while `holding`, reads wait until release().
class ImmediateSlideReader : public SlideReader {
public:
    void read(SlideRead request, Done done) override {
        paths.push_back(request.path);
        held_.push_back([=] { done(readSlide(request)); });
        if (!holding) {
            release();
        }
    }
    void release() {
        holding = false;
        for (auto held = std::exchange(held_, {}); auto& read : held) {
            read();
        }
    }
    bool holding = false;
    std::vector<QString> paths;  // every read asked for, in order

private:
    std::vector<std::function<void()>> held_;
};

}  // namespace luma::test
