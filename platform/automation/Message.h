#pragma once

#include "automation/Value.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

// The messages that cross an automation channel, and their bytes. A frame is
// a 32-bit little-endian length followed by that many bytes of one message;
// the first byte of a message says which one it is.
namespace automation::protocol {

inline constexpr std::uint16_t Version = 1;
// Longest message either side accepts; a longer length means the stream is
// not ours or is broken, and the channel is given up.
inline constexpr std::uint32_t MaximumMessageSize = 1u << 20;
inline constexpr std::size_t FrameHeaderSize = 4;

// Client to server, first: the class and interface it wants.
struct Hello {
    std::uint16_t version = Version;
    std::string classId;
    std::string interfaceId;
};

// Server to client: the class and interface it serves.
struct Welcome {
    std::uint16_t version = Version;
    std::string classId;
    std::string interfaceId;
};

// Server to client: no object for that request.
struct Refusal {
    std::int32_t number = 0;
    std::string description;
};

struct Call {
    std::uint32_t id = 0;
    std::string member;
    std::vector<Value> arguments;
};

// A call's result and the values of its by-reference arguments.
struct Answer {
    std::uint32_t id = 0;
    Value result;
    std::vector<std::pair<std::uint16_t, Value>> byReference;
};

// A call that failed: the numbered error the server raised.
struct Failure {
    std::uint32_t id = 0;
    std::int32_t number = 0;
    std::string description;
};

using Message = std::variant<Hello, Welcome, Refusal, Call, Answer, Failure>;

// A message that does not follow the protocol.
class MalformedMessage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The frame of one message: length header and bytes.
std::vector<std::uint8_t> encodeFrame(const Message& message);

// The length a frame header announces; MalformedMessage when it is 0 or
// above MaximumMessageSize.
std::uint32_t decodeFrameLength(const std::uint8_t* header);

// One message from the bytes after the header; MalformedMessage when they
// are not exactly one well-formed message.
Message decodeMessage(const std::uint8_t* bytes, std::size_t size);

} // namespace automation::protocol
