#pragma once
class SynthWorker {};
