BUS0 = D0
				; 1 
BUS1 = D1
				; 1 
BUS2 = D2
				; 1 
BUS3 = D3
				; 1 
BUS4 = D4
				; 1 
BUS5 = D5
				; 1 
BUS0.TRST =  /IORQ_N &  /RD_N & M1_N & A7 &  /A6 & A5
				; 1 
BUS1.TRST =  /IORQ_N &  /RD_N & M1_N & A7 &  /A6 & A5
				; 1 
BUS2.TRST =  /IORQ_N &  /RD_N & M1_N & A7 &  /A6 & A5
				; 1 
BUS3.TRST =  /IORQ_N &  /RD_N & M1_N & A7 &  /A6 & A5
				; 1 
BUS4.TRST =  /IORQ_N &  /RD_N & M1_N & A7 &  /A6 & A5
				; 1 
BUS5.TRST =  /IORQ_N &  /RD_N & M1_N & A7 &  /A6 & A5
				; 1 
/WR_STB_N =  /IORQ_N &  /WR_N & M1_N & A7 &  /A6 & A5
				; 1 
INT_N = GND		; 1
INT_N.TRST = IRQ
				; 1 


$__SYMTAB_INFO:
Design_Name: ioport
Gal_Type: 1
Gal_Mode: 2
Clk_Pin: 1
User_ID: __LEER

Pin_Node: IORQ_N Pin_or_Node: 1 Number: 1 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: RD_N Pin_or_Node: 1 Number: 2 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: WR_N Pin_or_Node: 1 Number: 3 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: M1_N Pin_or_Node: 1 Number: 4 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: A7 Pin_or_Node: 1 Number: 5 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: A6 Pin_or_Node: 1 Number: 6 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: A5 Pin_or_Node: 1 Number: 7 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D0 Pin_or_Node: 1 Number: 8 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D1 Pin_or_Node: 1 Number: 9 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D2 Pin_or_Node: 1 Number: 10 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D3 Pin_or_Node: 1 Number: 11 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: GND Pin_or_Node: 1 Number: 12 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: D4 Pin_or_Node: 1 Number: 13 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D5 Pin_or_Node: 1 Number: 14 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: WR_STB_N Pin_or_Node: 1 Number: 15 Pol: 0 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: BUS0 Pin_or_Node: 1 Number: 16 Pol: 1 IO: 2 Reg: 0 Trst: 1 Res: 0
Pin_Node: BUS1 Pin_or_Node: 1 Number: 17 Pol: 1 IO: 2 Reg: 0 Trst: 1 Res: 0
Pin_Node: BUS2 Pin_or_Node: 1 Number: 18 Pol: 1 IO: 2 Reg: 0 Trst: 1 Res: 0
Pin_Node: BUS3 Pin_or_Node: 1 Number: 19 Pol: 1 IO: 2 Reg: 0 Trst: 1 Res: 0
Pin_Node: BUS4 Pin_or_Node: 1 Number: 20 Pol: 1 IO: 2 Reg: 0 Trst: 1 Res: 0
Pin_Node: BUS5 Pin_or_Node: 1 Number: 21 Pol: 1 IO: 2 Reg: 0 Trst: 1 Res: 0
Pin_Node: INT_N Pin_or_Node: 1 Number: 22 Pol: 1 IO: 2 Reg: -1 Trst: 1 Res: 0
Pin_Node: IRQ Pin_or_Node: 1 Number: 23 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: VCC Pin_or_Node: 1 Number: 24 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
