ardour {
	["type"]    = "dsp",
	name        = "OFC Test Tone",
	category    = "Utility",
	license     = "MIT",
	author      = "Quenmoor",
	description = [[Replaces the signal on both channels with a steady 1 kHz sine of amplitude 0.1 (-20 dBFS peak, -23.01 dBFS RMS), so that an export's level is known in advance]]
}

function dsp_ioconfig ()
	return { { audio_in = 2, audio_out = 2 } }
end

local rate = 48000
local phase = 0

function dsp_init (sample_rate)
	rate = sample_rate
end

function dsp_run (ins, outs, n_samples)
	local step = 1000 / rate
	local block = {}
	for s = 1, n_samples do
		block[s] = 0.1 * math.sin (2 * math.pi * phase)
		phase = phase + step
		if phase >= 1 then phase = phase - 1 end
	end
	for c = 1, #outs do
		outs[c]:set_table (block, n_samples)
	end
end
