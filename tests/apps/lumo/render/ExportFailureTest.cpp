#include "apps/lumo/render/ExportFailure.h"

#include "core/FileError.h"
#include "core/UserFailure.h"
#include "video/XVideoWriter.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>

extern "C" {
#include <libavutil/error.h>
}

namespace vel::lumo {
namespace {

template <typename Failure> std::string ReasonFor(const Failure& failure) {
    return ExportFailureReason(std::make_exception_ptr(failure));
}

TEST(ExportFailureReason, EachKindIsSaidOnceInItsOwnWords) {
    EXPECT_EQ(ReasonFor(core::FileError(1, ENOENT)), "the folder does not exist");
    EXPECT_EQ(ReasonFor(video::XVideoWriter(AVERROR(ENOSPC))), "No space left on device");
    EXPECT_EQ(ReasonFor(std::bad_alloc()), "there is not enough memory");
    EXPECT_EQ(ReasonFor(core::UserFailure("the frame rate is more than a video can hold")),
              "the frame rate is more than a video can hold");
    // Only standard exceptions are reasons; anything else passes on.
    EXPECT_THROW(ReasonFor(42), int);
}

// What went wrong inside is for standard error; the user reads what it means.
TEST(ExportFailureReason, TheProgramsOwnTextStaysOnStandardError) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(ReasonFor(std::range_error("vector::_M_range_check: __n (which is 7)")),
              "an internal error stopped the work");
    EXPECT_EQ(ReasonFor(core::UserFailure("the sound could not be analysed", "no transform")),
              "the sound could not be analysed");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "lumo: vector::_M_range_check: __n (which is 7)\nlumo: no transform\n");
}

} // namespace
} // namespace vel::lumo
