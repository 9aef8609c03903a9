#pragma once

#include <cstddef>
#include <vector>

// A circular delay of up to `length` samples, read at whole or fractional distances.
class DelayLine
{
public:
    explicit DelayLine(int length) : m_buffer(length > 0 ? length : 1) {}

    void write(float x)
    {
        m_buffer[std::size_t(m_position)] = x;
        if (++m_position == int(m_buffer.size()))
            m_position = 0;
    }
    // The sample written `distance` writes ago (1 = the last one).
    float read(int distance) const
    {
        // Distances stay within the line, so one wrap is enough (no division per sample).
        int index = m_position - distance;
        while (index < 0)
            index += int(m_buffer.size());
        return m_buffer[std::size_t(index)];
    }
    float readFractional(double distance) const
    {
        const int whole = int(distance);
        const float part = float(distance - whole);
        return read(whole) * (1.0f - part) + read(whole + 1) * part;
    }
    int length() const { return int(m_buffer.size()); }

private:
    std::vector<float> m_buffer;
    int m_position = 0;
};
