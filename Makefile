BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all build run test clean

all: build

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
	cmake --build $(BUILD) -j $(JOBS)

EXAMPLE ?= examples/house_r1

run: build
	./$(BUILD)/quavor -r $(EXAMPLE).qvb
	cat $(EXAMPLE).qvr

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)
