#!/usr/bin/env bash
# 20 kills at random moments (make soak runs 200).
exec bash "$(dirname "${BASH_SOURCE[0]}")/kill_rounds.sh" 20
