# Fuzz targets: each tests/fuzz/NAMEFuzz.cpp linked with libFuzzer against the whole portable
# core, taken from an archive so that each target pulls in only what it uses.
# Run from the top of the tree: make -f tests/fuzz/Fuzz.mk OUT=build/fuzz
OUT ?= build/fuzz
CXX := clang++
SANITIZE := -fsanitize=address,undefined -fno-sanitize-recover=all
CXXFLAGS := -std=c++20 -g -O1 -Wall -Wextra -finput-charset=UTF-8 $(SANITIZE) -Isrc -Itests

CORE := $(wildcard src/base/*.cpp src/search/*.cpp src/platform/*.cpp src/platform/posix/*.cpp)
CORE_OBJ := $(CORE:%.cpp=$(OUT)/obj/%.o)
TARGETS := $(patsubst tests/fuzz/%.cpp,$(OUT)/%,$(wildcard tests/fuzz/*Fuzz.cpp))

all: $(TARGETS)

$(OUT)/obj/%.o: %.cpp
	@mkdir -p $(@D)
	$(CXX) $(CXXFLAGS) -fsanitize=fuzzer-no-link -MMD -MP -c $< -o $@

$(OUT)/libcore.a: $(CORE_OBJ)
	@rm -f $@
	ar rcs $@ $^

$(OUT)/%Fuzz: tests/fuzz/%Fuzz.cpp $(OUT)/libcore.a
	$(CXX) $(CXXFLAGS) -fsanitize=fuzzer -MMD -MP $< $(OUT)/libcore.a -o $@

-include $(CORE_OBJ:.o=.d) $(TARGETS:=.d)
