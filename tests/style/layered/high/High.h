#pragma once

struct High {};
