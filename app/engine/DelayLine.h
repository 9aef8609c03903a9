#pragma once

#include <vector>

// A circular delay of up to `length` samples, read at whole or fractional distances.
class DelayLine
{
public:
    explicit DelayLine(int length) : m_buffer(length > 0 ? length : 1) {}

    void write(float x)
    {
        m_buffer[m_position] = x;
        m_position = (m_position + 1) % int(m_buffer.size());
    }
    // The sample written `distance` writes ago (1 = the last one).
    float read(int distance) const
    {
        const int size = int(m_buffer.size());
        return m_buffer[((m_position - distance) % size + size) % size];
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
