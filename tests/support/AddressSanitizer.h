#pragma once

namespace vel::testing {

// Whether this build checks memory with AddressSanitizer, whose allocator
// ends the program where an address-space limit runs out instead of failing
// the allocation, so tests of running out of memory cannot run there.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool UnderAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool UnderAddressSanitizer = true;
#else
inline constexpr bool UnderAddressSanitizer = false;
#endif
#else
inline constexpr bool UnderAddressSanitizer = false;
#endif

// Whether this build checks threads with ThreadSanitizer, whose runtime maps
// memory as it goes and ends the program where an address-space limit
// refuses it.
#if defined(__SANITIZE_THREAD__)
inline constexpr bool UnderThreadSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
inline constexpr bool UnderThreadSanitizer = true;
#else
inline constexpr bool UnderThreadSanitizer = false;
#endif
#else
inline constexpr bool UnderThreadSanitizer = false;
#endif

} // namespace vel::testing
