#pragma once

struct Side {};
