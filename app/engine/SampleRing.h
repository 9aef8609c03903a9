#pragma once
class SampleRing {};
