#include "automation/Message.h"

#include <bit>
#include <cstring>

namespace automation::protocol {

namespace {

enum Kind : std::uint8_t {
    HelloKind = 'H',
    WelcomeKind = 'W',
    RefusalKind = 'R',
    CallKind = 'C',
    AnswerKind = 'A',
    FailureKind = 'F',
};

inline constexpr char Magic[4] = {'G', 'S', 'A', 'U'};
// Arguments of one call; far above any member's parameter count.
inline constexpr std::size_t MaximumArguments = 255;

class Writer {
public:
    void byte(std::uint8_t value) { bytes_.push_back(value); }
    void u16(std::uint16_t value) { little(value); }
    void u32(std::uint32_t value) { little(value); }
    void i16(std::int16_t value) { little(static_cast<std::uint16_t>(value)); }
    void i32(std::int32_t value) { little(static_cast<std::uint32_t>(value)); }
    void f64(double value) { little(std::bit_cast<std::uint64_t>(value)); }
    void text(const std::string& value) {
        if (value.size() > MaximumMessageSize)
            throw MalformedMessage("text too long to send");
        u32(static_cast<std::uint32_t>(value.size()));
        bytes_.insert(bytes_.end(), value.begin(), value.end());
    }
    void value(const Value& value) {
        byte(static_cast<std::uint8_t>(typeOf(value)));
        std::visit(
            [this](const auto& v) {
                using T = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<T, std::int16_t>)
                    i16(v);
                else if constexpr (std::is_same_v<T, std::int32_t>)
                    i32(v);
                else if constexpr (std::is_same_v<T, double>)
                    f64(v);
                else if constexpr (std::is_same_v<T, bool>)
                    byte(v ? 1 : 0);
                else if constexpr (std::is_same_v<T, std::string>)
                    text(v);
            },
            value);
    }
    std::vector<std::uint8_t> frame() {
        if (bytes_.size() > MaximumMessageSize)
            throw MalformedMessage("message too long to send");
        std::vector<std::uint8_t> framed;
        framed.reserve(FrameHeaderSize + bytes_.size());
        const auto size = static_cast<std::uint32_t>(bytes_.size());
        for (int shift = 0; shift < 32; shift += 8)
            framed.push_back(static_cast<std::uint8_t>(size >> shift));
        framed.insert(framed.end(), bytes_.begin(), bytes_.end());
        return framed;
    }

private:
    template <typename Unsigned>
    void little(Unsigned value) {
        for (std::size_t shift = 0; shift < sizeof(Unsigned) * 8; shift += 8)
            bytes_.push_back(static_cast<std::uint8_t>(value >> shift));
    }
    std::vector<std::uint8_t> bytes_;
};

class Reader {
public:
    Reader(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    std::uint8_t byte() { return take(1)[0]; }
    std::uint16_t u16() { return little<std::uint16_t>(); }
    std::uint32_t u32() { return little<std::uint32_t>(); }
    std::int16_t i16() { return static_cast<std::int16_t>(little<std::uint16_t>()); }
    std::int32_t i32() { return static_cast<std::int32_t>(little<std::uint32_t>()); }
    double f64() { return std::bit_cast<double>(little<std::uint64_t>()); }
    std::string text() {
        const std::uint32_t length = u32();
        const std::uint8_t* start = take(length);
        return std::string(reinterpret_cast<const char*>(start), length);
    }
    Value value() {
        switch (static_cast<ValueType>(byte())) {
        case ValueType::Missing: return Missing{};
        case ValueType::Int16: return i16();
        case ValueType::Int32: return i32();
        case ValueType::Double: return f64();
        case ValueType::Boolean: {
            const std::uint8_t flag = byte();
            if (flag > 1)
                throw MalformedMessage("boolean neither 0 nor 1");
            return flag == 1;
        }
        case ValueType::Text: return text();
        }
        throw MalformedMessage("unknown value type");
    }
    std::size_t count() {
        const std::uint16_t n = u16();
        if (n > MaximumArguments)
            throw MalformedMessage("too many values");
        return n;
    }
    void end() const {
        if (position_ != size_)
            throw MalformedMessage("bytes after the end of the message");
    }

private:
    const std::uint8_t* take(std::size_t n) {
        if (n > size_ - position_)
            throw MalformedMessage("message cut short");
        const std::uint8_t* start = bytes_ + position_;
        position_ += n;
        return start;
    }
    template <typename Unsigned>
    Unsigned little() {
        const std::uint8_t* start = take(sizeof(Unsigned));
        Unsigned value = 0;
        for (std::size_t i = 0; i < sizeof(Unsigned); ++i)
            value |= static_cast<Unsigned>(static_cast<Unsigned>(start[i]) << (8 * i));
        return value;
    }

    const std::uint8_t* bytes_;
    std::size_t size_;
    std::size_t position_ = 0;
};

void writeIdentity(Writer& out, std::uint16_t version, const std::string& classId,
                   const std::string& interfaceId) {
    for (char c : Magic)
        out.byte(static_cast<std::uint8_t>(c));
    out.u16(version);
    out.text(classId);
    out.text(interfaceId);
}

template <typename Identity>
Identity readIdentity(Reader& in) {
    for (char c : Magic)
        if (in.byte() != static_cast<std::uint8_t>(c))
            throw MalformedMessage("not an automation handshake");
    Identity identity;
    identity.version = in.u16();
    identity.classId = in.text();
    identity.interfaceId = in.text();
    return identity;
}

} // namespace

std::vector<std::uint8_t> encodeFrame(const Message& message) {
    Writer out;
    std::visit(
        [&out](const auto& m) {
            using T = std::decay_t<decltype(m)>;
            if constexpr (std::is_same_v<T, Hello>) {
                out.byte(HelloKind);
                writeIdentity(out, m.version, m.classId, m.interfaceId);
            } else if constexpr (std::is_same_v<T, Welcome>) {
                out.byte(WelcomeKind);
                writeIdentity(out, m.version, m.classId, m.interfaceId);
            } else if constexpr (std::is_same_v<T, Refusal>) {
                out.byte(RefusalKind);
                out.i32(m.number);
                out.text(m.description);
            } else if constexpr (std::is_same_v<T, Call>) {
                if (m.arguments.size() > MaximumArguments)
                    throw MalformedMessage("too many arguments to send");
                out.byte(CallKind);
                out.u32(m.id);
                out.text(m.member);
                out.u16(static_cast<std::uint16_t>(m.arguments.size()));
                for (const Value& argument : m.arguments)
                    out.value(argument);
            } else if constexpr (std::is_same_v<T, Answer>) {
                if (m.byReference.size() > MaximumArguments)
                    throw MalformedMessage("too many values to send");
                out.byte(AnswerKind);
                out.u32(m.id);
                out.value(m.result);
                out.u16(static_cast<std::uint16_t>(m.byReference.size()));
                for (const auto& [index, value] : m.byReference) {
                    out.u16(index);
                    out.value(value);
                }
            } else if constexpr (std::is_same_v<T, Failure>) {
                out.byte(FailureKind);
                out.u32(m.id);
                out.i32(m.number);
                out.text(m.description);
            }
        },
        message);
    return out.frame();
}

std::uint32_t decodeFrameLength(const std::uint8_t* header) {
    const std::uint32_t length = static_cast<std::uint32_t>(header[0]) |
                                 static_cast<std::uint32_t>(header[1]) << 8 |
                                 static_cast<std::uint32_t>(header[2]) << 16 |
                                 static_cast<std::uint32_t>(header[3]) << 24;
    if (length == 0 || length > MaximumMessageSize)
        throw MalformedMessage("frame length " + std::to_string(length) + " out of range");
    return length;
}

Message decodeMessage(const std::uint8_t* bytes, std::size_t size) {
    Reader in(bytes, size);
    Message message;
    switch (in.byte()) {
    case HelloKind: message = readIdentity<Hello>(in); break;
    case WelcomeKind: message = readIdentity<Welcome>(in); break;
    case RefusalKind: {
        Refusal refusal;
        refusal.number = in.i32();
        refusal.description = in.text();
        message = refusal;
        break;
    }
    case CallKind: {
        Call call;
        call.id = in.u32();
        call.member = in.text();
        const std::size_t n = in.count();
        for (std::size_t i = 0; i < n; ++i)
            call.arguments.push_back(in.value());
        message = std::move(call);
        break;
    }
    case AnswerKind: {
        Answer answer;
        answer.id = in.u32();
        answer.result = in.value();
        const std::size_t n = in.count();
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint16_t index = in.u16();
            answer.byReference.emplace_back(index, in.value());
        }
        message = std::move(answer);
        break;
    }
    case FailureKind: {
        Failure failure;
        failure.id = in.u32();
        failure.number = in.i32();
        failure.description = in.text();
        message = std::move(failure);
        break;
    }
    default: throw MalformedMessage("unknown message kind");
    }
    in.end();
    return message;
}

} // namespace automation::protocol
